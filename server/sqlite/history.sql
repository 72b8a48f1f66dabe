-- The history of the schedule lines: one row per insert, update or delete of a Vakansii row, with the
-- line's values before (old_*) and after (new_*) it; an insert has no old values, a delete no new ones.
-- The engine writes it (the triggers below) with the connection's database login and the time; a
-- client connection may read it but never write it (SqliteAuthorizer). The stamps ZEB_User and
-- ZEB_Update are who saved, not what, and Num is the line's place in its list, which the program renumbers:
-- an update that changes nothing else leaves no row (and an update of them alone runs no trigger at all).
CREATE TABLE Vakansii_history (
    id_history INTEGER PRIMARY KEY,
    id_vakansiya INT NOT NULL,
    change_kind CHAR(1) NOT NULL CHECK (change_kind IN ('I', 'U', 'D')),
    changed DATETIME NOT NULL,
    db_login VARCHAR(63),
    ZEB_User VARCHAR(20),
    old_id_otdel_1 INT,
    new_id_otdel_1 INT,
    old_id_otdel_11 INT,
    new_id_otdel_11 INT,
    old_id_faculty INT,
    new_id_faculty INT,
    old_id_kafedra INT,
    new_id_kafedra INT,
    old_id_post INT,
    new_id_post INT,
    old_q_units FLOAT,
    new_q_units FLOAT,
    old_razrad NUMERIC(18,0),
    new_razrad NUMERIC(18,0),
    old_Num INT,
    new_Num INT,
    old_id_otdel_2 INT,
    new_id_otdel_2 INT,
    old_id_enter TINYINT,
    new_id_enter TINYINT,
    old_e_n_p VARCHAR(30),
    new_e_n_p VARCHAR(30),
    old_e_d_p DATETIME,
    new_e_d_p DATETIME,
    old_id_deduce TINYINT,
    new_id_deduce TINYINT,
    old_d_n_p VARCHAR(30),
    new_d_n_p VARCHAR(30),
    old_d_d_p DATETIME,
    new_d_d_p DATETIME,
    old_id_structure INT,
    new_id_structure INT,
    old_id_bk INT,
    new_id_bk INT,
    old_hourFond FLOAT,
    new_hourFond FLOAT,
    old_descr TEXT,
    new_descr TEXT
);

CREATE INDEX Vakansii_history_line ON Vakansii_history (id_vakansiya, id_history);
CREATE INDEX Vakansii_history_changed ON Vakansii_history (changed);

CREATE TRIGGER vakansii_history_insert AFTER INSERT ON Vakansii
BEGIN
    INSERT INTO Vakansii_history (id_vakansiya, change_kind, changed, db_login, ZEB_User,
        new_id_otdel_1, new_id_otdel_11, new_id_faculty, new_id_kafedra, new_id_post, new_q_units,
        new_razrad, new_Num, new_id_otdel_2, new_id_enter, new_e_n_p, new_e_d_p, new_id_deduce, new_d_n_p,
        new_d_d_p, new_id_structure, new_id_bk, new_hourFond, new_descr)
    VALUES (NEW.id_vakansiya, 'I', datetime('now', 'localtime'), zeb_session_login(), NEW.ZEB_User,
        NEW.id_otdel_1, NEW.id_otdel_11, NEW.id_faculty, NEW.id_kafedra, NEW.id_post, NEW.q_units,
        NEW.razrad, NEW.Num, NEW.id_otdel_2, NEW.id_enter, NEW.e_n_p, NEW.e_d_p, NEW.id_deduce, NEW.d_n_p,
        NEW.d_d_p, NEW.id_structure, NEW.id_bk, NEW.hourFond, NEW.descr);
END;

CREATE TRIGGER vakansii_history_update AFTER UPDATE OF
    id_vakansiya, id_otdel_1, id_otdel_11, id_faculty, id_kafedra, id_post, q_units, razrad, id_otdel_2,
    id_enter, e_n_p, e_d_p, id_deduce, d_n_p, d_d_p, id_structure, id_bk, hourFond, descr
ON Vakansii
WHEN OLD.id_vakansiya IS NOT NEW.id_vakansiya OR OLD.id_otdel_1 IS NOT NEW.id_otdel_1
    OR OLD.id_otdel_11 IS NOT NEW.id_otdel_11 OR OLD.id_faculty IS NOT NEW.id_faculty
    OR OLD.id_kafedra IS NOT NEW.id_kafedra OR OLD.id_post IS NOT NEW.id_post
    OR OLD.q_units IS NOT NEW.q_units OR OLD.razrad IS NOT NEW.razrad
    OR OLD.id_otdel_2 IS NOT NEW.id_otdel_2 OR OLD.id_enter IS NOT NEW.id_enter
    OR OLD.e_n_p IS NOT NEW.e_n_p OR OLD.e_d_p IS NOT NEW.e_d_p OR OLD.id_deduce IS NOT NEW.id_deduce
    OR OLD.d_n_p IS NOT NEW.d_n_p OR OLD.d_d_p IS NOT NEW.d_d_p
    OR OLD.id_structure IS NOT NEW.id_structure OR OLD.id_bk IS NOT NEW.id_bk
    OR OLD.hourFond IS NOT NEW.hourFond OR OLD.descr IS NOT NEW.descr
BEGIN
    INSERT INTO Vakansii_history (id_vakansiya, change_kind, changed, db_login, ZEB_User,
        old_id_otdel_1, old_id_otdel_11, old_id_faculty, old_id_kafedra, old_id_post, old_q_units,
        old_razrad, old_Num, old_id_otdel_2, old_id_enter, old_e_n_p, old_e_d_p, old_id_deduce, old_d_n_p,
        old_d_d_p, old_id_structure, old_id_bk, old_hourFond, old_descr, new_id_otdel_1, new_id_otdel_11,
        new_id_faculty, new_id_kafedra, new_id_post, new_q_units, new_razrad, new_Num, new_id_otdel_2,
        new_id_enter, new_e_n_p, new_e_d_p, new_id_deduce, new_d_n_p, new_d_d_p, new_id_structure, new_id_bk,
        new_hourFond, new_descr)
    VALUES (NEW.id_vakansiya, 'U', datetime('now', 'localtime'), zeb_session_login(), NEW.ZEB_User,
        OLD.id_otdel_1, OLD.id_otdel_11, OLD.id_faculty, OLD.id_kafedra, OLD.id_post, OLD.q_units,
        OLD.razrad, OLD.Num, OLD.id_otdel_2, OLD.id_enter, OLD.e_n_p, OLD.e_d_p, OLD.id_deduce, OLD.d_n_p,
        OLD.d_d_p, OLD.id_structure, OLD.id_bk, OLD.hourFond, OLD.descr, NEW.id_otdel_1, NEW.id_otdel_11,
        NEW.id_faculty, NEW.id_kafedra, NEW.id_post, NEW.q_units, NEW.razrad, NEW.Num, NEW.id_otdel_2,
        NEW.id_enter, NEW.e_n_p, NEW.e_d_p, NEW.id_deduce, NEW.d_n_p, NEW.d_d_p, NEW.id_structure, NEW.id_bk,
        NEW.hourFond, NEW.descr);
END;

CREATE TRIGGER vakansii_history_delete AFTER DELETE ON Vakansii
BEGIN
    INSERT INTO Vakansii_history (id_vakansiya, change_kind, changed, db_login, ZEB_User,
        old_id_otdel_1, old_id_otdel_11, old_id_faculty, old_id_kafedra, old_id_post, old_q_units,
        old_razrad, old_Num, old_id_otdel_2, old_id_enter, old_e_n_p, old_e_d_p, old_id_deduce, old_d_n_p,
        old_d_d_p, old_id_structure, old_id_bk, old_hourFond, old_descr)
    VALUES (OLD.id_vakansiya, 'D', datetime('now', 'localtime'), zeb_session_login(), OLD.ZEB_User,
        OLD.id_otdel_1, OLD.id_otdel_11, OLD.id_faculty, OLD.id_kafedra, OLD.id_post, OLD.q_units,
        OLD.razrad, OLD.Num, OLD.id_otdel_2, OLD.id_enter, OLD.e_n_p, OLD.e_d_p, OLD.id_deduce, OLD.d_n_p,
        OLD.d_d_p, OLD.id_structure, OLD.id_bk, OLD.hourFond, OLD.descr);
END;
