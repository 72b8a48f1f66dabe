:on error exit
-- The history of the schedule lines, as server/pg/history.sql keeps it: one row per inserted, updated or
-- deleted dbo.Vakansii row with the line's values before (old_*) and after (new_*) the change, the
-- session's login and the server's time. The trigger writes it by ownership chaining; the schedule role may
-- only read it. Run after accounts.sql, at installation and at every accounts repair (so an older
-- installation gets it too); this file is UTF-8 (sqlcmd -f 65001).

USE [$(DATABASE)];
GO

SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

IF OBJECT_ID('dbo.Vakansii_history', 'U') IS NULL
BEGIN
    CREATE TABLE dbo.Vakansii_history (
        id_history bigint IDENTITY(1, 1) NOT NULL CONSTRAINT vakansii_history_pkey PRIMARY KEY,
        id_vakansiya int NOT NULL,
        change_kind char(1) NOT NULL CONSTRAINT vakansii_history_change_kind_check
            CHECK (change_kind IN ('I', 'U', 'D')),
        changed datetime NOT NULL,
        db_login nvarchar(128) NOT NULL,
        ZEB_User varchar(20) NULL,
        old_id_otdel_1 int NULL,
        new_id_otdel_1 int NULL,
        old_id_otdel_11 int NULL,
        new_id_otdel_11 int NULL,
        old_id_faculty int NULL,
        new_id_faculty int NULL,
        old_id_kafedra int NULL,
        new_id_kafedra int NULL,
        old_id_post int NULL,
        new_id_post int NULL,
        old_q_units float NULL,
        new_q_units float NULL,
        old_razrad numeric(18, 0) NULL,
        new_razrad numeric(18, 0) NULL,
        old_Num int NULL,
        new_Num int NULL,
        old_id_otdel_2 int NULL,
        new_id_otdel_2 int NULL,
        old_id_enter tinyint NULL,
        new_id_enter tinyint NULL,
        old_e_n_p varchar(30) NULL,
        new_e_n_p varchar(30) NULL,
        old_e_d_p datetime NULL,
        new_e_d_p datetime NULL,
        old_id_deduce tinyint NULL,
        new_id_deduce tinyint NULL,
        old_d_n_p varchar(30) NULL,
        new_d_n_p varchar(30) NULL,
        old_d_d_p datetime NULL,
        new_d_d_p datetime NULL,
        old_id_structure int NULL,
        new_id_structure int NULL,
        old_id_bk int NULL,
        new_id_bk int NULL,
        old_hourFond float NULL,
        new_hourFond float NULL,
        old_descr varchar(max) NULL,
        new_descr varchar(max) NULL
    );
    CREATE INDEX vakansii_history_line_idx ON dbo.Vakansii_history (id_vakansiya, id_history);
    CREATE INDEX vakansii_history_changed_idx ON dbo.Vakansii_history (changed);
END
GO

IF OBJECT_ID('dbo.vakansii_history_write', 'TR') IS NOT NULL
    DROP TRIGGER dbo.vakansii_history_write;
GO

-- One statement may change many lines: a row each. The key is an identity, so an update never changes
-- it. The stamps ZEB_User and ZEB_Update are who saved, not what, and Num is the line's place in its list,
-- which the program renumbers: an update that changes nothing else leaves no row.
CREATE TRIGGER dbo.vakansii_history_write ON dbo.Vakansii
AFTER INSERT, UPDATE, DELETE
AS
BEGIN
    SET NOCOUNT ON;
    INSERT INTO dbo.Vakansii_history (id_vakansiya, change_kind, changed, db_login, ZEB_User,
        old_id_otdel_1, old_id_otdel_11, old_id_faculty, old_id_kafedra, old_id_post, old_q_units,
        old_razrad, old_Num, old_id_otdel_2, old_id_enter, old_e_n_p, old_e_d_p, old_id_deduce, old_d_n_p,
        old_d_d_p, old_id_structure, old_id_bk, old_hourFond, old_descr, new_id_otdel_1, new_id_otdel_11,
        new_id_faculty, new_id_kafedra, new_id_post, new_q_units, new_razrad, new_Num, new_id_otdel_2,
        new_id_enter, new_e_n_p, new_e_d_p, new_id_deduce, new_d_n_p, new_d_d_p, new_id_structure, new_id_bk,
        new_hourFond, new_descr)
    SELECT COALESCE(i.id_vakansiya, d.id_vakansiya),
           CASE WHEN d.id_vakansiya IS NULL THEN 'I' WHEN i.id_vakansiya IS NULL THEN 'D' ELSE 'U' END,
           GETDATE(), ORIGINAL_LOGIN(),
           CASE WHEN i.id_vakansiya IS NULL THEN d.ZEB_User ELSE i.ZEB_User END,
        d.id_otdel_1, d.id_otdel_11, d.id_faculty, d.id_kafedra, d.id_post, d.q_units, d.razrad, d.Num,
        d.id_otdel_2, d.id_enter, d.e_n_p, d.e_d_p, d.id_deduce, d.d_n_p, d.d_d_p, d.id_structure, d.id_bk,
        d.hourFond, d.descr, i.id_otdel_1, i.id_otdel_11, i.id_faculty, i.id_kafedra, i.id_post, i.q_units,
        i.razrad, i.Num, i.id_otdel_2, i.id_enter, i.e_n_p, i.e_d_p, i.id_deduce, i.d_n_p, i.d_d_p,
        i.id_structure, i.id_bk, i.hourFond, i.descr
    FROM inserted AS i
    FULL OUTER JOIN deleted AS d ON d.id_vakansiya = i.id_vakansiya
    WHERE i.id_vakansiya IS NULL OR d.id_vakansiya IS NULL
       OR EXISTS (
           SELECT i.id_otdel_1, i.id_otdel_11, i.id_faculty, i.id_kafedra, i.id_post, i.q_units,
           i.razrad, i.id_otdel_2, i.id_enter, i.e_n_p, i.e_d_p, i.id_deduce, i.d_n_p, i.d_d_p,
           i.id_structure, i.id_bk, i.hourFond, i.descr
           EXCEPT
           SELECT d.id_otdel_1, d.id_otdel_11, d.id_faculty, d.id_kafedra, d.id_post, d.q_units,
           d.razrad, d.id_otdel_2, d.id_enter, d.e_n_p, d.e_d_p, d.id_deduce, d.d_n_p, d.d_d_p,
           d.id_structure, d.id_bk, d.hourFond, d.descr);
END
GO

-- Read by the people who edit the schedule, written by nobody but the trigger.
REVOKE SELECT, INSERT, UPDATE, DELETE ON dbo.Vakansii_history FROM public;
REVOKE SELECT, INSERT, UPDATE, DELETE ON dbo.Vakansii_history FROM [$(SIGNIN_ROLE)];
REVOKE INSERT, UPDATE, DELETE ON dbo.Vakansii_history FROM [$(WORK_ROLE)];
GRANT SELECT ON dbo.Vakansii_history TO [$(WORK_ROLE)];
GO
