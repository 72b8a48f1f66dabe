-- Mirrors server/pg/accounts.sql. The installer replaces ${DATABASE}, ${SIGNIN_ROLE}, ${SIGNIN_PASSWORD},
-- ${WORK_ROLE} and ${WORK_PASSWORD} (names plain identifiers, passwords alphanumeric) and runs this with
-- sqlcmd as a server administrator after schema.sql and procedures.sql.
-- ${SIGNIN_ROLE} (the account of the connection settings file) may only run dbo.GET_USER;
-- ${WORK_ROLE} (handed out by dbo.GET_USER) works on the schedule and never sees the sign-in tables.

USE [master];
GO

IF EXISTS (SELECT 1 FROM sys.server_principals WHERE name = N'${SIGNIN_ROLE}')
    ALTER LOGIN [${SIGNIN_ROLE}] WITH PASSWORD = N'${SIGNIN_PASSWORD}';
ELSE
    CREATE LOGIN [${SIGNIN_ROLE}] WITH PASSWORD = N'${SIGNIN_PASSWORD}',
        DEFAULT_DATABASE = [${DATABASE}], CHECK_EXPIRATION = OFF;
IF EXISTS (SELECT 1 FROM sys.server_principals WHERE name = N'${WORK_ROLE}')
    ALTER LOGIN [${WORK_ROLE}] WITH PASSWORD = N'${WORK_PASSWORD}';
ELSE
    CREATE LOGIN [${WORK_ROLE}] WITH PASSWORD = N'${WORK_PASSWORD}',
        DEFAULT_DATABASE = [${DATABASE}], CHECK_EXPIRATION = OFF;
GO

USE [${DATABASE}];
GO

IF NOT EXISTS (SELECT 1 FROM sys.database_principals WHERE name = N'${SIGNIN_ROLE}')
    CREATE USER [${SIGNIN_ROLE}] FOR LOGIN [${SIGNIN_ROLE}] WITH DEFAULT_SCHEMA = dbo;
IF NOT EXISTS (SELECT 1 FROM sys.database_principals WHERE name = N'${WORK_ROLE}')
    CREATE USER [${WORK_ROLE}] FOR LOGIN [${WORK_ROLE}] WITH DEFAULT_SCHEMA = dbo;
GO

-- Nobody but these two accounts gets in, and nothing is granted to everybody.
REVOKE CONNECT FROM guest;
REVOKE SELECT, INSERT, UPDATE, DELETE, EXECUTE ON SCHEMA::dbo FROM public;
REVOKE EXECUTE ON dbo.GET_USER FROM public;
REVOKE EXECUTE ON dbo.CopyKafedraOnKafedra FROM public;

GRANT CONNECT TO [${SIGNIN_ROLE}];
GRANT CONNECT TO [${WORK_ROLE}];

GRANT EXECUTE ON dbo.GET_USER TO [${SIGNIN_ROLE}];

GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Vakansii TO [${WORK_ROLE}];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Otdel_1 TO [${WORK_ROLE}];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Faculty TO [${WORK_ROLE}];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.vuz TO [${WORK_ROLE}];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Kafedra TO [${WORK_ROLE}];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.post TO [${WORK_ROLE}];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Enter TO [${WORK_ROLE}];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Deduce TO [${WORK_ROLE}];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Structure TO [${WORK_ROLE}];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.bk TO [${WORK_ROLE}];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Working TO [${WORK_ROLE}];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Stavka TO [${WORK_ROLE}];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.teacher TO [${WORK_ROLE}];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.t_fio TO [${WORK_ROLE}];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.VuzDefaults TO [${WORK_ROLE}];
-- The audit log is only ever appended to.
GRANT INSERT ON dbo.ZEB_LOG TO [${WORK_ROLE}];
GRANT EXECUTE ON dbo.CopyKafedraOnKafedra TO [${WORK_ROLE}];
GO

-- What GET_USER hands out, every byte minus one as the client expects it. The variables are wider than
-- the columns so that a name or password too long fails the insert instead of being cut silently.
DECLARE @name varchar(128) = '${WORK_ROLE}';
DECLARE @password varchar(128) = '${WORK_PASSWORD}';
DECLARE @scrambled_name varchar(128) = '';
DECLARE @scrambled_password varchar(128) = '';
DECLARE @i int = 1;

WHILE @i <= DATALENGTH(@name)
BEGIN
    SET @scrambled_name = @scrambled_name + CHAR(ASCII(SUBSTRING(@name, @i, 1)) - 1);
    SET @i = @i + 1;
END
SET @i = 1;
WHILE @i <= DATALENGTH(@password)
BEGIN
    SET @scrambled_password = @scrambled_password + CHAR(ASCII(SUBSTRING(@password, @i, 1)) - 1);
    SET @i = @i + 1;
END

IF EXISTS (SELECT 1 FROM dbo.zeb_session_account WHERE id = 1)
    UPDATE dbo.zeb_session_account
    SET db_user = @scrambled_name, db_password = @scrambled_password
    WHERE id = 1;
ELSE
    INSERT INTO dbo.zeb_session_account (id, db_user, db_password)
    VALUES (1, @scrambled_name, @scrambled_password);
GO
