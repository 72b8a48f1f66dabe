:on error exit
-- Mirrors server/pg/upgrade.sql: brings the tables of an installation made before the persons had logins
-- of their own up to date and takes the procedures away, so that procedures.sql and then accounts.sql can
-- be run after it; on a current installation it changes nothing else. Run as the server administrator;
-- this file is UTF-8 (sqlcmd -f 65001).

USE [$(DATABASE)];
GO

SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

IF COL_LENGTH('dbo.zeb_users', 'role_number') IS NULL
    ALTER TABLE dbo.zeb_users ADD role_number int IDENTITY(1, 1) NOT NULL;
IF COL_LENGTH('dbo.zeb_users', 'db_role') IS NULL
    ALTER TABLE dbo.zeb_users ADD db_role varchar(128) NULL;
IF COL_LENGTH('dbo.zeb_program', 'digest') IS NULL
    ALTER TABLE dbo.zeb_program ADD digest varchar(64) NULL;
IF OBJECT_ID('dbo.zeb_work_role', 'U') IS NULL
    CREATE TABLE dbo.zeb_work_role (
        id int NOT NULL CONSTRAINT zeb_work_role_pkey PRIMARY KEY
            CONSTRAINT zeb_work_role_id_check CHECK (id = 1),
        role_name varchar(128) NOT NULL
    );
-- The shared account every client used to be handed; accounts.sql shuts its login.
IF OBJECT_ID('dbo.zeb_session_account', 'U') IS NOT NULL
    DROP TABLE dbo.zeb_session_account;

IF OBJECT_ID('dbo.GET_USER', 'P') IS NOT NULL
    DROP PROCEDURE dbo.GET_USER;
IF OBJECT_ID('dbo.LOCK_USER', 'P') IS NOT NULL
    DROP PROCEDURE dbo.LOCK_USER;
IF OBJECT_ID('dbo.CopyKafedraOnKafedra', 'P') IS NOT NULL
    DROP PROCEDURE dbo.CopyKafedraOnKafedra;
IF OBJECT_ID('dbo.zeb_scrambled', 'FN') IS NOT NULL
    DROP FUNCTION dbo.zeb_scrambled;
GO

-- Earlier installations made the database TRUSTWORTHY for a procedure running as its owner; the
-- procedures now carry a signature instead, and a TRUSTWORTHY database lets its db_owner members reach
-- beyond it.
IF EXISTS (SELECT 1 FROM sys.databases WHERE name = N'$(DATABASE)' AND is_trustworthy_on = 1)
    ALTER DATABASE [$(DATABASE)] SET TRUSTWORTHY OFF;
GO

-- The audit log records each row's login (procedures.sql makes the triggers that fill it); nobody but the
-- owner changes or deletes a log row.
IF COL_LENGTH('dbo.ZEB_LOG', 'db_login') IS NULL
    ALTER TABLE dbo.ZEB_LOG ADD db_login nvarchar(128) NULL
        CONSTRAINT zeb_log_db_login_default DEFAULT ORIGINAL_LOGIN();
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = 'zeb_log_row_id_idx'
               AND object_id = OBJECT_ID('dbo.ZEB_LOG'))
    CREATE INDEX zeb_log_row_id_idx ON dbo.ZEB_LOG (row_id);
IF OBJECT_ID('dbo.zeb_log_insert', 'TR') IS NOT NULL
    DROP TRIGGER dbo.zeb_log_insert;
IF OBJECT_ID('dbo.kafedra_removal_log', 'TR') IS NOT NULL
    DROP TRIGGER dbo.kafedra_removal_log;
IF DATABASE_PRINCIPAL_ID(N'$(WORK_ROLE)') IS NOT NULL
    REVOKE UPDATE, DELETE ON dbo.ZEB_LOG FROM [$(WORK_ROLE)];
GO

-- The salary scale, the form's requisites and the units' own codes the staff schedule form prints.
IF OBJECT_ID('dbo.Oklad', 'U') IS NULL
    CREATE TABLE dbo.Oklad (
        id_oklad int IDENTITY(1, 1) NOT NULL CONSTRAINT oklad_pkey PRIMARY KEY,
        razrad numeric(18, 0) NOT NULL,
        date_from date NOT NULL,
        oklad numeric(12, 2) NOT NULL CONSTRAINT oklad_oklad_check CHECK (oklad >= 0),
        CONSTRAINT oklad_razrad_date_from_key UNIQUE (razrad, date_from)
    );
IF OBJECT_ID('dbo.Rekvizity', 'U') IS NULL
    CREATE TABLE dbo.Rekvizity (
        id_rekvizity int NOT NULL CONSTRAINT rekvizity_pkey PRIMARY KEY
            CONSTRAINT rekvizity_id_rekvizity_check CHECK (id_rekvizity = 1),
        okpo varchar(14) NULL,
        kadry_post varchar(150) NULL,
        kadry_name varchar(100) NULL,
        buh_name varchar(100) NULL
    );
IF OBJECT_ID('dbo.Kod_podrazd', 'U') IS NULL
    CREATE TABLE dbo.Kod_podrazd (
        kind char(1) NOT NULL CONSTRAINT kod_podrazd_kind_check CHECK (kind IN ('O', 'F', 'K')),
        id_unit int NOT NULL,
        code varchar(20) NOT NULL CONSTRAINT kod_podrazd_code_check CHECK (code <> ''),
        CONSTRAINT kod_podrazd_pkey PRIMARY KEY (kind, id_unit)
    );
GO

IF NOT EXISTS (SELECT 1 FROM dbo.Rekvizity WHERE id_rekvizity = 1)
    INSERT INTO dbo.Rekvizity (id_rekvizity) VALUES (1);
GO
