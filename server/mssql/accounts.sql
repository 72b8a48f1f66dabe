-- Mirrors server/pg/accounts.sql. The installer replaces ${DATABASE}, ${SIGNIN_ROLE}, ${SIGNIN_PASSWORD} and
-- ${WORK_ROLE} (names plain identifiers, the password alphanumeric) and runs this with sqlcmd as the server
-- administrator who owns the database, after schema.sql and procedures.sql. Run again, it restores the
-- accounts as installed, for instance after the sign-in login changed its own password.
-- ${SIGNIN_ROLE} (the account of the connection settings file) may only run dbo.GET_USER.
-- ${WORK_ROLE} is a database role that holds the schedule rights; dbo.GET_USER makes each person a login and
-- user of their own in it. Neither ever sees the sign-in tables.

USE [master];
GO

IF EXISTS (SELECT 1 FROM sys.server_principals WHERE name = N'${SIGNIN_ROLE}')
    ALTER LOGIN [${SIGNIN_ROLE}] WITH PASSWORD = N'${SIGNIN_PASSWORD}';
ELSE
    CREATE LOGIN [${SIGNIN_ROLE}] WITH PASSWORD = N'${SIGNIN_PASSWORD}',
        DEFAULT_DATABASE = [${DATABASE}], CHECK_EXPIRATION = OFF;
ALTER LOGIN [${SIGNIN_ROLE}] ENABLE;
-- The shared login of an installation made before the persons had logins of their own.
IF EXISTS (SELECT 1 FROM sys.server_principals WHERE name = N'${WORK_ROLE}')
    ALTER LOGIN [${WORK_ROLE}] DISABLE;
-- dbo.GET_USER makes the persons' logins with the owner's server rights, which reach beyond the database
-- only when it is TRUSTWORTHY. Whoever may create modules in it gains those rights: nobody but the owner.
ALTER DATABASE [${DATABASE}] SET TRUSTWORTHY ON;
GO

USE [${DATABASE}];
GO

IF EXISTS (SELECT 1 FROM sys.database_principals WHERE name = N'${WORK_ROLE}' AND type = 'S')
    DROP USER [${WORK_ROLE}];
IF NOT EXISTS (SELECT 1 FROM sys.database_principals WHERE name = N'${WORK_ROLE}')
    CREATE ROLE [${WORK_ROLE}];
IF NOT EXISTS (SELECT 1 FROM sys.database_principals WHERE name = N'${SIGNIN_ROLE}')
    CREATE USER [${SIGNIN_ROLE}] FOR LOGIN [${SIGNIN_ROLE}] WITH DEFAULT_SCHEMA = dbo;
GO

-- The sign-in user is in no role.
DECLARE @role sysname;
DECLARE roles CURSOR LOCAL FAST_FORWARD FOR
    SELECT r.name
    FROM sys.database_role_members m
    JOIN sys.database_principals r ON r.principal_id = m.role_principal_id
    JOIN sys.database_principals p ON p.principal_id = m.member_principal_id
    WHERE p.name = N'${SIGNIN_ROLE}';
OPEN roles;
FETCH NEXT FROM roles INTO @role;
WHILE @@FETCH_STATUS = 0
BEGIN
    EXEC sp_droprolemember @rolename = @role, @membername = N'${SIGNIN_ROLE}';
    FETCH NEXT FROM roles INTO @role;
END
CLOSE roles;
DEALLOCATE roles;
GO

-- Nobody but these accounts gets in, and nothing is granted to everybody.
REVOKE CONNECT FROM guest;
REVOKE SELECT, INSERT, UPDATE, DELETE, EXECUTE ON SCHEMA::dbo FROM public;
REVOKE SELECT, INSERT, UPDATE, DELETE, EXECUTE ON SCHEMA::dbo FROM [${SIGNIN_ROLE}];
REVOKE EXECUTE ON dbo.GET_USER FROM public;
REVOKE EXECUTE ON dbo.LOCK_USER FROM public;
REVOKE EXECUTE ON dbo.CopyKafedraOnKafedra FROM public;
REVOKE EXECUTE ON dbo.CopyKafedraOnKafedra FROM [${SIGNIN_ROLE}];

GRANT CONNECT TO [${SIGNIN_ROLE}];

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

-- The role dbo.GET_USER puts the persons' users in.
IF EXISTS (SELECT 1 FROM dbo.zeb_work_role WHERE id = 1)
    UPDATE dbo.zeb_work_role SET role_name = N'${WORK_ROLE}' WHERE id = 1;
ELSE
    INSERT INTO dbo.zeb_work_role (id, role_name) VALUES (1, N'${WORK_ROLE}');
GO
