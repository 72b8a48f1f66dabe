:on error exit
-- Mirrors server/pg/schema.sql: same tables, columns, keys, defaults and constraint names. Run after
-- database.sql; this file is UTF-8, so sqlcmd reads it with -f 65001.

-- A database whose collation database.sql would refuse is refused here too, before anything is created.
USE [$(DATABASE)];
DECLARE @collation nvarchar(128) = CAST(DATABASEPROPERTYEX(DB_NAME(), 'Collation') AS nvarchar(128));
IF ISNULL(CAST(COLLATIONPROPERTY(@collation, 'CodePage') AS int), 0) <> 1251
   OR (ISNULL(CAST(COLLATIONPROPERTY(@collation, 'ComparisonStyle') AS int), 0) & 1) = 0
BEGIN
    DECLARE @message nvarchar(2047) =
        N'Параметры сортировки базы данных «%s» — %s: кириллица в них не сохраняется или имена различаются '
        + N'регистром. Нужна база данных с параметрами сортировки Cyrillic_General_CI_AS (её создаёт database.sql).';
    SET @collation = ISNULL(@collation, N'неизвестны');
    RAISERROR (@message, 16, 1, N'$(DATABASE)', @collation);
END
GO

SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

CREATE TABLE dbo.Otdel_1 (
    id_otdel_1 int IDENTITY(1, 1) NOT NULL CONSTRAINT otdel_1_pkey PRIMARY KEY,
    otdel_1 varchar(250) NULL
);

CREATE TABLE dbo.vuz (
    id_vuz int NOT NULL CONSTRAINT vuz_pkey PRIMARY KEY,
    v2 varchar(100) NULL
);

CREATE TABLE dbo.Faculty (
    id_faculty int IDENTITY(1, 1) NOT NULL CONSTRAINT faculty_pkey PRIMARY KEY,
    [p23-1] varchar(50) NULL,
    [p23-2] varchar(100) NULL,
    id_vuz int NULL CONSTRAINT faculty_id_vuz_fkey REFERENCES dbo.vuz (id_vuz)
);

CREATE TABLE dbo.Kafedra (
    id_kafedra int IDENTITY(1, 1) NOT NULL CONSTRAINT kafedra_pkey PRIMARY KEY,
    f1 varchar(250) NULL
);

CREATE TABLE dbo.post (
    id_post int IDENTITY(1, 1) NOT NULL CONSTRAINT post_pkey PRIMARY KEY,
    post varchar(250) NULL
);

CREATE TABLE dbo.Enter (
    id_enter tinyint NOT NULL CONSTRAINT enter_pkey PRIMARY KEY,
    enter varchar(30) NULL
);

CREATE TABLE dbo.Deduce (
    id_deduce tinyint NOT NULL CONSTRAINT deduce_pkey PRIMARY KEY,
    deduce varchar(30) NULL
);

CREATE TABLE dbo.Structure (
    id_structure int NOT NULL CONSTRAINT structure_pkey PRIMARY KEY,
    Structure varchar(5) NULL
);

CREATE TABLE dbo.bk (
    id_bk int NOT NULL CONSTRAINT bk_pkey PRIMARY KEY,
    name varchar(10) NULL
);

-- No foreign key cascades: deleting a department that a line refers to must fail.
CREATE TABLE dbo.Vakansii (
    id_vakansiya int IDENTITY(1, 1) NOT NULL CONSTRAINT vakansii_pkey PRIMARY KEY,
    id_otdel_1 int NULL CONSTRAINT vakansii_id_otdel_1_fkey REFERENCES dbo.Otdel_1 (id_otdel_1),
    id_otdel_11 int NULL CONSTRAINT vakansii_id_otdel_11_fkey REFERENCES dbo.Otdel_1 (id_otdel_1),
    id_faculty int NULL CONSTRAINT vakansii_id_faculty_fkey REFERENCES dbo.Faculty (id_faculty),
    id_kafedra int NULL CONSTRAINT vakansii_id_kafedra_fkey REFERENCES dbo.Kafedra (id_kafedra),
    id_post int NOT NULL CONSTRAINT vakansii_id_post_fkey REFERENCES dbo.post (id_post),
    q_units float NULL,
    razrad numeric(18, 0) NULL,
    Num int NULL,
    id_otdel_2 int NULL CONSTRAINT vakansii_id_otdel_2_fkey REFERENCES dbo.Otdel_1 (id_otdel_1),
    id_enter tinyint NULL CONSTRAINT vakansii_id_enter_fkey REFERENCES dbo.Enter (id_enter),
    e_n_p varchar(30) NULL,
    e_d_p datetime NULL,
    -- A placeholder line that brings a unit into the schedule must not count as withdrawn.
    id_deduce tinyint NULL CONSTRAINT vakansii_id_deduce_default DEFAULT 1
        CONSTRAINT vakansii_id_deduce_fkey REFERENCES dbo.Deduce (id_deduce),
    d_n_p varchar(30) NULL,
    d_d_p datetime NULL,
    id_structure int NULL CONSTRAINT vakansii_id_structure_fkey REFERENCES dbo.Structure (id_structure),
    id_bk int NULL CONSTRAINT vakansii_id_bk_fkey REFERENCES dbo.bk (id_bk),
    ZEB_User varchar(20) NULL,
    ZEB_Update date NULL,
    hourFond float NULL,
    descr varchar(max) NULL
);

-- Every list of lines picks a unit by one of these columns; the foreign-key checks on delete use them too.
CREATE INDEX vakansii_id_otdel_1_idx ON dbo.Vakansii (id_otdel_1);
CREATE INDEX vakansii_id_otdel_11_idx ON dbo.Vakansii (id_otdel_11);
CREATE INDEX vakansii_id_otdel_2_idx ON dbo.Vakansii (id_otdel_2);
CREATE INDEX vakansii_id_faculty_idx ON dbo.Vakansii (id_faculty);
CREATE INDEX vakansii_id_kafedra_idx ON dbo.Vakansii (id_kafedra);

CREATE TABLE dbo.Stavka (
    id_stavka int IDENTITY(1, 1) NOT NULL CONSTRAINT stavka_pkey PRIMARY KEY,
    stavka float NULL
);

CREATE TABLE dbo.teacher (
    id_teacher int IDENTITY(1, 1) NOT NULL CONSTRAINT teacher_pkey PRIMARY KEY,
    fam varchar(50) NULL,
    im varchar(50) NULL,
    otch varchar(50) NULL
);

CREATE TABLE dbo.t_fio (
    id_t_fio int IDENTITY(1, 1) NOT NULL CONSTRAINT t_fio_pkey PRIMARY KEY,
    id_teacher int NULL,
    fio varchar(150) NULL
);

-- id_leave 4 or NULL: the employee is still on the line.
CREATE TABLE dbo.Working (
    id_working int IDENTITY(1, 1) NOT NULL CONSTRAINT working_pkey PRIMARY KEY,
    id_teacher int NULL,
    id_stavka int NULL,
    id_vakansiya int NULL CONSTRAINT working_id_vakansiya_fkey REFERENCES dbo.Vakansii (id_vakansiya),
    id_base_over int NULL,
    razr int NULL,
    id_prikaz_come int NULL,
    Num_prikaz_Enter varchar(30) NULL,
    date_come datetime NULL,
    Num_prikaz_leave varchar(30) NULL,
    id_leave int NULL,
    Date_leave datetime NULL
);

CREATE INDEX working_id_vakansiya_idx ON dbo.Working (id_vakansiya);

CREATE TABLE dbo.ZEB_LOG (
    id_zeb_log int IDENTITY(1, 1) NOT NULL CONSTRAINT zeb_log_pkey PRIMARY KEY,
    [table] varchar(50) NULL,
    row_id int NULL,
    descr varchar(500) NULL,
    ZEB_User varchar(50) NULL,
    comp varchar(150) NULL,
    logged datetime NULL CONSTRAINT zeb_log_logged_default DEFAULT GETDATE(),
    -- Filled by the trigger dbo.zeb_log_insert whatever the client's statement says.
    db_login nvarchar(128) NULL CONSTRAINT zeb_log_db_login_default DEFAULT ORIGINAL_LOGIN()
);

CREATE INDEX zeb_log_row_id_idx ON dbo.ZEB_LOG (row_id);

-- Row 22 holds the base address of the report pages.
CREATE TABLE dbo.VuzDefaults (
    id_vuz_defaults int NOT NULL CONSTRAINT vuzdefaults_pkey PRIMARY KEY,
    n_field varchar(250) NULL
);

-- Monthly salaries by pay grade, each from the date it applies.
CREATE TABLE dbo.Oklad (
    id_oklad int IDENTITY(1, 1) NOT NULL CONSTRAINT oklad_pkey PRIMARY KEY,
    razrad numeric(18, 0) NOT NULL,
    date_from date NOT NULL,
    oklad numeric(12, 2) NOT NULL CONSTRAINT oklad_oklad_check CHECK (oklad >= 0),
    CONSTRAINT oklad_razrad_date_from_key UNIQUE (razrad, date_from)
);

-- What the staff schedule form prints whatever the date: one row, which clients only change.
CREATE TABLE dbo.Rekvizity (
    id_rekvizity int NOT NULL CONSTRAINT rekvizity_pkey PRIMARY KEY
        CONSTRAINT rekvizity_id_rekvizity_check CHECK (id_rekvizity = 1),
    okpo varchar(14) NULL,
    kadry_post varchar(150) NULL,
    kadry_name varchar(100) NULL,
    buh_name varchar(100) NULL
);

INSERT INTO dbo.Rekvizity (id_rekvizity) VALUES (1);

-- The institution's own codes of its units: O a division (Otdel_1), F a faculty, K a department.
CREATE TABLE dbo.Kod_podrazd (
    kind char(1) NOT NULL CONSTRAINT kod_podrazd_kind_check CHECK (kind IN ('O', 'F', 'K')),
    id_unit int NOT NULL,
    code varchar(20) NOT NULL CONSTRAINT kod_podrazd_code_check CHECK (code <> ''),
    CONSTRAINT kod_podrazd_pkey PRIMARY KEY (kind, id_unit)
);

-- Sign-in tables: read only by dbo.GET_USER, never by the schedule account.

-- The key, under the database's case-insensitive collation, already keeps two logins from differing
-- only by letter case or trailing blanks.
CREATE TABLE dbo.zeb_users (
    login varchar(50) NOT NULL CONSTRAINT zeb_users_pkey PRIMARY KEY,
    pass_digest char(32) NOT NULL,
    full_name varchar(100) NULL,
    pass_changed datetime NULL CONSTRAINT zeb_users_pass_changed_default DEFAULT GETDATE(),
    pass_days int NOT NULL CONSTRAINT zeb_users_pass_days_default DEFAULT 90,
    must_change int NOT NULL CONSTRAINT zeb_users_must_change_default DEFAULT 0
        CONSTRAINT zeb_users_must_change_check CHECK (must_change IN (0, 1)),
    failed_count int NOT NULL CONSTRAINT zeb_users_failed_count_default DEFAULT 0,
    locked_until datetime NULL,
    disabled int NOT NULL CONSTRAINT zeb_users_disabled_default DEFAULT 0
        CONSTRAINT zeb_users_disabled_check CHECK (disabled IN (0, 1)),
    -- The person's own login, made by dbo.GET_USER at the first accepted sign-in and named after the
    -- group role and role_number, which keeps it unique on the whole server.
    role_number int IDENTITY(1, 1) NOT NULL,
    db_role varchar(128) NULL
);

-- The database role that holds the schedule rights; every person's user is a member.
CREATE TABLE dbo.zeb_work_role (
    id int NOT NULL CONSTRAINT zeb_work_role_pkey PRIMARY KEY
        CONSTRAINT zeb_work_role_id_check CHECK (id = 1),
    role_name varchar(128) NOT NULL
);

-- The published build of each program and the lower-case hex SHA-256 of its executable.
CREATE TABLE dbo.zeb_program (
    program varchar(20) NOT NULL CONSTRAINT zeb_program_pkey PRIMARY KEY,
    build int NOT NULL,
    digest varchar(64) NULL
);

CREATE TABLE dbo.zeb_workstations (
    computer varchar(100) NOT NULL,
    program varchar(20) NOT NULL,
    build int NULL,
    last_ip varchar(15) NULL,
    last_login varchar(50) NULL,
    last_seen datetime NULL,
    CONSTRAINT zeb_workstations_pkey PRIMARY KEY (computer, program)
);

INSERT INTO dbo.zeb_program (program, build) VALUES ('ZEB 7', 1);
GO
