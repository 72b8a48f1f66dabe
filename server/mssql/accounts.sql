:on error exit
-- Mirrors server/pg/accounts.sql. Run by the server administrator after schema.sql and procedures.sql, with
-- the values DATABASE, SIGNIN_ROLE, SIGNIN_PASSWORD (alphanumeric) and WORK_ROLE (names plain
-- identifiers); this file is UTF-8 (sqlcmd -f 65001). Run again, it restores the accounts as installed, for
-- instance after the sign-in login changed its own password or procedures.sql dropped the signatures.
-- SIGNIN_ROLE (the account of the connection settings file) may only run dbo.GET_USER. WORK_ROLE is a
-- database role that holds the schedule rights; dbo.GET_USER makes each person a login and user of their
-- own in it. Neither ever sees the sign-in tables.

USE [master];
GO

-- No password policy: failed attempts by anyone who reads the settings file would otherwise lock the
-- shared sign-in login, and with it everybody. Turning the policy off also ends a lockout under way.
IF EXISTS (SELECT 1 FROM sys.server_principals WHERE name = N'$(SIGNIN_ROLE)')
BEGIN
    ALTER LOGIN [$(SIGNIN_ROLE)] WITH CHECK_POLICY = OFF;
    ALTER LOGIN [$(SIGNIN_ROLE)] WITH PASSWORD = N'$(SIGNIN_PASSWORD)', DEFAULT_DATABASE = [$(DATABASE)];
END
ELSE
    CREATE LOGIN [$(SIGNIN_ROLE)] WITH PASSWORD = N'$(SIGNIN_PASSWORD)', DEFAULT_DATABASE = [$(DATABASE)],
        CHECK_EXPIRATION = OFF, CHECK_POLICY = OFF;
ALTER LOGIN [$(SIGNIN_ROLE)] ENABLE;
-- The shared login of an installation made before the persons had logins of their own.
IF EXISTS (SELECT 1 FROM sys.server_principals WHERE name = N'$(WORK_ROLE)')
    ALTER LOGIN [$(WORK_ROLE)] DISABLE;
GO

USE [$(DATABASE)];
GO

IF EXISTS (SELECT 1 FROM sys.database_principals WHERE name = N'$(WORK_ROLE)' AND type = 'S')
    DROP USER [$(WORK_ROLE)];
IF NOT EXISTS (SELECT 1 FROM sys.database_principals WHERE name = N'$(WORK_ROLE)')
    CREATE ROLE [$(WORK_ROLE)];
IF NOT EXISTS (SELECT 1 FROM sys.database_principals WHERE name = N'$(SIGNIN_ROLE)')
    CREATE USER [$(SIGNIN_ROLE)] FOR LOGIN [$(SIGNIN_ROLE)] WITH DEFAULT_SCHEMA = dbo;
GO

-- The sign-in user is in no role.
DECLARE @role sysname;
DECLARE @sql nvarchar(400);
DECLARE roles CURSOR LOCAL FAST_FORWARD FOR
    SELECT r.name
    FROM sys.database_role_members m
    JOIN sys.database_principals r ON r.principal_id = m.role_principal_id
    JOIN sys.database_principals p ON p.principal_id = m.member_principal_id
    WHERE p.name = N'$(SIGNIN_ROLE)';
OPEN roles;
FETCH NEXT FROM roles INTO @role;
WHILE @@FETCH_STATUS = 0
BEGIN
    SET @sql = N'ALTER ROLE ' + QUOTENAME(@role) + N' DROP MEMBER [$(SIGNIN_ROLE)]';
    EXEC (@sql);
    FETCH NEXT FROM roles INTO @role;
END
CLOSE roles;
DEALLOCATE roles;
GO

-- Nobody but these accounts gets in, and nothing is granted to everybody.
REVOKE CONNECT FROM guest;
REVOKE SELECT, INSERT, UPDATE, DELETE, EXECUTE ON SCHEMA::dbo FROM public;
REVOKE SELECT, INSERT, UPDATE, DELETE, EXECUTE ON SCHEMA::dbo FROM [$(SIGNIN_ROLE)];
REVOKE EXECUTE ON dbo.GET_USER FROM public;
REVOKE EXECUTE ON dbo.LOCK_USER FROM public;
REVOKE EXECUTE ON dbo.CopyKafedraOnKafedra FROM public;
REVOKE EXECUTE ON dbo.CopyKafedraOnKafedra FROM [$(SIGNIN_ROLE)];

GRANT CONNECT TO [$(SIGNIN_ROLE)];

GRANT EXECUTE ON dbo.GET_USER TO [$(SIGNIN_ROLE)];

GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Vakansii TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Otdel_1 TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Faculty TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.vuz TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Kafedra TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.post TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Enter TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Deduce TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Structure TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.bk TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Working TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Stavka TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.teacher TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.t_fio TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.VuzDefaults TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Oklad TO [$(WORK_ROLE)];
GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.Kod_podrazd TO [$(WORK_ROLE)];
-- The form's requisites are one row that is only ever changed.
GRANT SELECT, UPDATE ON dbo.Rekvizity TO [$(WORK_ROLE)];
-- The audit log is only ever appended to.
GRANT INSERT ON dbo.ZEB_LOG TO [$(WORK_ROLE)];
GRANT EXECUTE ON dbo.CopyKafedraOnKafedra TO [$(WORK_ROLE)];
GO

-- The role dbo.GET_USER puts the persons' users in.
IF EXISTS (SELECT 1 FROM dbo.zeb_work_role WHERE id = 1)
    UPDATE dbo.zeb_work_role SET role_name = N'$(WORK_ROLE)' WHERE id = 1;
ELSE
    INSERT INTO dbo.zeb_work_role (id, role_name) VALUES (1, N'$(WORK_ROLE)');
GO

-- The rights dbo.GET_USER and dbo.LOCK_USER need beyond their caller's, given by module signing: a
-- certificate signs both, a user made from it holds the database rights and a login made from its public
-- key in master holds ALTER ANY LOGIN. They hold these rights only while they run, also in their dynamic
-- SQL, and nobody can sign anything else with it: the private key is dropped once both are signed. Made
-- afresh on every run, since changing a procedure drops its signature.
-- First what an earlier run left: signatures, the certificate's user, the certificate.
IF EXISTS (SELECT 1
           FROM sys.crypt_properties p
           JOIN sys.certificates c ON c.thumbprint = p.thumbprint
           WHERE p.major_id = OBJECT_ID(N'dbo.GET_USER') AND c.name = N'zeb_signing')
    DROP SIGNATURE FROM dbo.GET_USER BY CERTIFICATE zeb_signing;
IF EXISTS (SELECT 1
           FROM sys.crypt_properties p
           JOIN sys.certificates c ON c.thumbprint = p.thumbprint
           WHERE p.major_id = OBJECT_ID(N'dbo.LOCK_USER') AND c.name = N'zeb_signing')
    DROP SIGNATURE FROM dbo.LOCK_USER BY CERTIFICATE zeb_signing;
IF EXISTS (SELECT 1 FROM sys.database_principals WHERE name = N'zeb_signing')
    DROP USER zeb_signing;
IF EXISTS (SELECT 1 FROM sys.certificates WHERE name = N'zeb_signing')
    DROP CERTIFICATE zeb_signing;
GO

-- master is shared by every database on the server, hence the database's name in these names.
USE [master];
IF EXISTS (SELECT 1 FROM sys.server_principals WHERE name = N'zeb_signing_$(DATABASE)')
    DROP LOGIN [zeb_signing_$(DATABASE)];
IF EXISTS (SELECT 1 FROM sys.certificates WHERE name = N'zeb_signing_$(DATABASE)')
    DROP CERTIFICATE [zeb_signing_$(DATABASE)];
GO

USE [$(DATABASE)];
-- The key's password lives only in this batch; the suffix meets a password policy whatever the digits.
DECLARE @password varchar(60) = CONVERT(varchar(48), CRYPT_GEN_RANDOM(24), 2) + '-Zeb7';
DECLARE @sql nvarchar(max);
DECLARE @public varchar(max);
SET @sql = N'CREATE CERTIFICATE zeb_signing ENCRYPTION BY PASSWORD = N''' + @password + N''''
           + N' WITH SUBJECT = N''ZEB 7: rights of GET_USER and LOCK_USER'', EXPIRY_DATE = ''99991231''';
EXEC (@sql);
SET @sql = N'ADD SIGNATURE TO dbo.GET_USER BY CERTIFICATE zeb_signing WITH PASSWORD = N''' + @password + N'''';
EXEC (@sql);
SET @sql = N'ADD SIGNATURE TO dbo.LOCK_USER BY CERTIFICATE zeb_signing WITH PASSWORD = N''' + @password + N'''';
EXEC (@sql);
ALTER CERTIFICATE zeb_signing REMOVE PRIVATE KEY;

-- GET_USER makes the person's user and puts it in the work role.
CREATE USER zeb_signing FROM CERTIFICATE zeb_signing;
GRANT ALTER ANY USER TO zeb_signing;
GRANT ALTER ON ROLE::[$(WORK_ROLE)] TO zeb_signing;

-- The public key goes to master as bytes (SQL Server 2012 and later); server rights are granted in master.
SET @public = CONVERT(varchar(max), CERTENCODED(CERT_ID(N'zeb_signing')), 1);
SET @sql = N'USE [master];'
           + N' CREATE CERTIFICATE [zeb_signing_$(DATABASE)] FROM BINARY = ' + @public + N';'
           + N' CREATE LOGIN [zeb_signing_$(DATABASE)] FROM CERTIFICATE [zeb_signing_$(DATABASE)];'
           + N' GRANT ALTER ANY LOGIN TO [zeb_signing_$(DATABASE)];';
EXEC (@sql);
GO
