-- Schedule schema and sign-in tables of the embedded engine. Declared types are those of the server
-- schema: the client reads column types and text sizes from them. Identity keys use AUTOINCREMENT so
-- that, as on a server, a key is never handed out twice. Foreign keys need PRAGMA foreign_keys=ON,
-- which the engine sets on every connection.

CREATE TABLE Otdel_1 (
    id_otdel_1 INTEGER PRIMARY KEY AUTOINCREMENT,
    otdel_1 VARCHAR(250)
);

CREATE TABLE vuz (
    id_vuz INT NOT NULL PRIMARY KEY,
    v2 VARCHAR(100)
);

CREATE TABLE Faculty (
    id_faculty INTEGER PRIMARY KEY AUTOINCREMENT,
    "p23-1" VARCHAR(50),
    "p23-2" VARCHAR(100),
    id_vuz INT REFERENCES vuz (id_vuz)
);

CREATE TABLE Kafedra (
    id_kafedra INTEGER PRIMARY KEY AUTOINCREMENT,
    f1 VARCHAR(250)
);

CREATE TABLE post (
    id_post INTEGER PRIMARY KEY AUTOINCREMENT,
    post VARCHAR(250)
);

CREATE TABLE Enter (
    id_enter TINYINT NOT NULL PRIMARY KEY CHECK (id_enter BETWEEN 0 AND 255),
    enter VARCHAR(30)
);

CREATE TABLE Deduce (
    id_deduce TINYINT NOT NULL PRIMARY KEY CHECK (id_deduce BETWEEN 0 AND 255),
    deduce VARCHAR(30)
);

CREATE TABLE Structure (
    id_structure INT NOT NULL PRIMARY KEY,
    Structure VARCHAR(5)
);

CREATE TABLE bk (
    id_bk INT NOT NULL PRIMARY KEY,
    name VARCHAR(10)
);

-- No cascades: deleting a department that a line refers to must fail.
CREATE TABLE Vakansii (
    id_vakansiya INTEGER PRIMARY KEY AUTOINCREMENT,
    id_otdel_1 INT REFERENCES Otdel_1 (id_otdel_1),
    id_otdel_11 INT REFERENCES Otdel_1 (id_otdel_1),
    id_faculty INT REFERENCES Faculty (id_faculty),
    id_kafedra INT REFERENCES Kafedra (id_kafedra),
    id_post INT NOT NULL REFERENCES post (id_post),
    q_units FLOAT,
    razrad NUMERIC(18,0),
    Num INT,
    id_otdel_2 INT REFERENCES Otdel_1 (id_otdel_1),
    id_enter TINYINT CHECK (id_enter BETWEEN 0 AND 255) REFERENCES Enter (id_enter),
    e_n_p VARCHAR(30),
    e_d_p DATETIME,
    -- A placeholder line that brings a unit into the schedule must not count as withdrawn.
    id_deduce TINYINT DEFAULT 1 CHECK (id_deduce BETWEEN 0 AND 255) REFERENCES Deduce (id_deduce),
    d_n_p VARCHAR(30),
    d_d_p DATETIME,
    id_structure INT REFERENCES Structure (id_structure),
    id_bk INT REFERENCES bk (id_bk),
    ZEB_User VARCHAR(20),
    ZEB_Update DATE,
    hourFond FLOAT,
    descr TEXT
);

-- Every list of lines picks a unit by one of these columns; the foreign-key checks on delete use them too.
CREATE INDEX Vakansii_id_otdel_1 ON Vakansii (id_otdel_1);
CREATE INDEX Vakansii_id_otdel_11 ON Vakansii (id_otdel_11);
CREATE INDEX Vakansii_id_otdel_2 ON Vakansii (id_otdel_2);
CREATE INDEX Vakansii_id_faculty ON Vakansii (id_faculty);
CREATE INDEX Vakansii_id_kafedra ON Vakansii (id_kafedra);

CREATE TABLE Stavka (
    id_stavka INTEGER PRIMARY KEY AUTOINCREMENT,
    stavka FLOAT
);

CREATE TABLE teacher (
    id_teacher INTEGER PRIMARY KEY AUTOINCREMENT,
    fam VARCHAR(50),
    im VARCHAR(50),
    otch VARCHAR(50)
);

CREATE TABLE t_fio (
    id_t_fio INTEGER PRIMARY KEY AUTOINCREMENT,
    id_teacher INT,
    fio VARCHAR(150)
);

-- id_leave 4 or NULL: the employee is still on the line, which therefore cannot be deleted.
CREATE TABLE Working (
    id_working INTEGER PRIMARY KEY AUTOINCREMENT,
    id_teacher INT,
    id_stavka INT,
    id_vakansiya INT REFERENCES Vakansii (id_vakansiya),
    id_base_over INT,
    razr INT,
    id_prikaz_come INT,
    Num_prikaz_Enter VARCHAR(30),
    date_come DATETIME,
    Num_prikaz_leave VARCHAR(30),
    id_leave INT,
    Date_leave DATETIME
);

CREATE INDEX Working_id_vakansiya ON Working (id_vakansiya);

-- Dates are stored as local time, as the client shows them. The client writes the table, row, text, login
-- and computer; the key, the database login of the connection and the time come from the engine (the
-- triggers below), whatever the statement says.
CREATE TABLE ZEB_LOG (
    id_zeb_log INTEGER PRIMARY KEY AUTOINCREMENT,
    "table" VARCHAR(50),
    row_id INT,
    descr VARCHAR(500),
    ZEB_User VARCHAR(50),
    comp VARCHAR(150),
    logged DATETIME DEFAULT (datetime('now', 'localtime')),
    db_login VARCHAR(50)
);

CREATE INDEX ZEB_LOG_row_id ON ZEB_LOG (row_id);

-- A key the client chose could take the largest one and stop every later row. An insert that leaves the
-- key to the engine meets it here as -1.
CREATE TRIGGER zeb_log_server_id BEFORE INSERT ON ZEB_LOG
WHEN NEW.id_zeb_log IS NOT -1
BEGIN
    SELECT RAISE(ABORT, 'Номер строки журнала ZEB_LOG назначает база данных.');
END;

-- The client's row for a department removal completes the row the removal itself wrote (below) under the
-- same login, so that a removal leaves one row, whether or not the client's row follows.
CREATE TRIGGER zeb_log_completion BEFORE INSERT ON ZEB_LOG
WHEN NEW.comp IS NOT NULL AND EXISTS (
    SELECT 1 FROM ZEB_LOG
    WHERE row_id = NEW.row_id AND "table" = NEW."table" AND descr = NEW.descr AND comp IS NULL
      AND db_login = zeb_session_login())
BEGIN
    UPDATE ZEB_LOG SET ZEB_User = NEW.ZEB_User, comp = NEW.comp
    WHERE id_zeb_log = (
        SELECT min(id_zeb_log) FROM ZEB_LOG
        WHERE row_id = NEW.row_id AND "table" = NEW."table" AND descr = NEW.descr AND comp IS NULL
          AND db_login = zeb_session_login());
    SELECT RAISE(IGNORE);
END;

CREATE TRIGGER zeb_log_stamp AFTER INSERT ON ZEB_LOG
BEGIN
    UPDATE ZEB_LOG SET db_login = zeb_session_login(), logged = datetime('now', 'localtime')
    WHERE id_zeb_log = NEW.id_zeb_log;
END;

-- However a department is removed, the removal is logged; the client's own row completes this one.
CREATE TRIGGER kafedra_removal_log AFTER DELETE ON Kafedra
BEGIN
    INSERT INTO ZEB_LOG ("table", row_id, descr, ZEB_User)
    VALUES ('kafedra', OLD.id_kafedra,
            'Запись с уникальным номером - ' || OLD.id_kafedra || ' была удалена.(id_kafedra = ['
                || OLD.id_kafedra || '])',
            zeb_session_login());
END;

-- Row 22 holds the base address of the report pages.
CREATE TABLE VuzDefaults (
    id_vuz_defaults INT NOT NULL PRIMARY KEY,
    n_field VARCHAR(250)
);

-- Monthly salaries by pay grade, each from the date it applies. Amounts are stored as numbers: a
-- numeric(12,2) has at most 12 significant digits, which a double keeps, so the report's rounding to
-- kopecks gets the exact amount back; the bound is that of numeric(12,2). The key holds the day whatever
-- time part a text carries.
CREATE TABLE Oklad (
    id_oklad INTEGER PRIMARY KEY AUTOINCREMENT,
    razrad NUMERIC(18,0) NOT NULL,
    date_from DATE NOT NULL,
    oklad NUMERIC(12,2) NOT NULL
        CONSTRAINT oklad_oklad_check
            CHECK (typeof(oklad) IN ('integer', 'real') AND oklad >= 0 AND oklad < 10000000000)
);

CREATE UNIQUE INDEX oklad_razrad_date_from_key ON Oklad (razrad, date(date_from));

-- What the staff schedule form prints whatever the date: one row, which clients only change.
CREATE TABLE Rekvizity (
    id_rekvizity INT NOT NULL PRIMARY KEY CHECK (id_rekvizity = 1),
    okpo VARCHAR(14),
    kadry_post VARCHAR(150),
    kadry_name VARCHAR(100),
    buh_name VARCHAR(100)
);

INSERT INTO Rekvizity (id_rekvizity) VALUES (1);

-- The institution's own codes of its units: O a division (Otdel_1), F a faculty, K a department.
CREATE TABLE Kod_podrazd (
    kind CHAR(1) NOT NULL CHECK (kind IN ('O', 'F', 'K')),
    id_unit INT NOT NULL,
    code VARCHAR(20) NOT NULL CHECK (code <> ''),
    PRIMARY KEY (kind, id_unit)
);

-- Sign-in tables: the engine refuses them to every statement a client sends (SqliteAuthorizer); GET_USER
-- and the administration tool work on them.

CREATE TABLE zeb_users (
    login VARCHAR(50) NOT NULL PRIMARY KEY,
    pass_digest CHAR(32) NOT NULL,
    full_name VARCHAR(100),
    pass_changed DATETIME DEFAULT (datetime('now', 'localtime')),
    pass_days INT NOT NULL DEFAULT 90,
    must_change INT NOT NULL DEFAULT 0 CHECK (must_change IN (0, 1)),
    failed_count INT NOT NULL DEFAULT 0,
    locked_until DATETIME,
    disabled INT NOT NULL DEFAULT 0 CHECK (disabled IN (0, 1)),
    -- SHA-256 of the connection password GET_USER handed out last; a client connection opens with it.
    session_digest CHAR(64)
);

-- Sign-in ignores letter case and trailing blanks, so two logins may not differ only by them
-- (SQLite's upper() folds Latin letters only; GET_USER itself compares Cyrillic too).
CREATE UNIQUE INDEX zeb_users_login_key ON zeb_users (upper(rtrim(login)));

-- The published build of each program.
CREATE TABLE zeb_program (
    program VARCHAR(20) NOT NULL PRIMARY KEY,
    build INT NOT NULL,
    digest VARCHAR(64)
);

CREATE TABLE zeb_workstations (
    computer VARCHAR(100) NOT NULL,
    program VARCHAR(20) NOT NULL,
    build INT,
    last_ip VARCHAR(15),
    last_login VARCHAR(50),
    last_seen DATETIME,
    PRIMARY KEY (computer, program)
);

INSERT INTO zeb_program (program, build) VALUES ('ZEB 7', 1);
