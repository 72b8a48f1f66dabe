:on error exit
-- Mirrors server/pg/procedures.sql step by step. Run after schema.sql (or upgrade.sql) and before
-- accounts.sql; this file is UTF-8 (sqlcmd -f 65001). The sign-in account needs nothing but EXECUTE on
-- GET_USER: the tables are reached by ownership chaining (everything belongs to dbo). The logins GET_USER
-- and LOCK_USER make and shut need server rights, which accounts.sql gives them by signing both with a
-- certificate; creating or altering either procedure drops its signature, so accounts.sql must follow.

USE [$(DATABASE)];
GO

SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

-- Every character code minus one, as the client unscrambles the account it is handed.
CREATE FUNCTION dbo.zeb_scrambled (@text varchar(128))
RETURNS varchar(128)
AS
BEGIN
    DECLARE @scrambled varchar(128) = '';
    DECLARE @i int = 1;
    WHILE @i <= DATALENGTH(@text)
    BEGIN
        SET @scrambled = @scrambled + CHAR(ASCII(SUBSTRING(@text, @i, 1)) - 1);
        SET @i = @i + 1;
    END
    RETURN @scrambled;
END
GO

CREATE PROCEDURE dbo.GET_USER
    -- Wider than a login, so that a longer one is refused rather than cut to a login that exists.
    @login varchar(100),
    @pass varchar(32),
    @newpass varchar(32),
    @prog varchar(20),
    @ip varchar(15),
    @comp varchar(100),
    @login2 varchar(50),
    @zero varchar(10),
    @len varchar(10)
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;

    DECLARE @msg_unknown nvarchar(200) = N'Неверное имя пользователя или пароль.';
    DECLARE @msg_disabled nvarchar(200) = N'Учётная запись заблокирована. Обратитесь к администратору.';
    DECLARE @msg_locked nvarchar(200) = N'Учётная запись временно заблокирована после неудачных попыток входа. '
                                        + N'Повторите попытку через 15 минут.';
    DECLARE @msg_same_password nvarchar(200) = N'Новый пароль должен отличаться от прежнего.';
    DECLARE @max_failures int = 5;
    DECLARE @now datetime = GETDATE();

    DECLARE @found bit = 0;
    DECLARE @user_login varchar(50);
    DECLARE @digest varchar(32);
    DECLARE @full_name varchar(100);
    DECLARE @pass_changed datetime;
    DECLARE @pass_days int;
    DECLARE @must_change int;
    DECLARE @failed_count int;
    DECLARE @locked_until datetime;
    DECLARE @disabled int;
    DECLARE @role_number int;
    DECLARE @stored_role varchar(128);

    DECLARE @refusal nvarchar(200);
    DECLARE @pass_state int;
    DECLARE @update_state int;
    DECLARE @program varchar(20);
    DECLARE @published int;
    DECLARE @station_build int;
    DECLARE @published_digest varchar(64);
    DECLARE @update_digest varchar(64);
    DECLARE @group sysname;
    DECLARE @role sysname;
    DECLARE @role_password varchar(48);
    DECLARE @sql nvarchar(max);
    DECLARE @db_user varchar(128) = '';
    DECLARE @db_password varchar(128) = '';
    DECLARE @right bit = 0;
    -- A login is at most 50 characters and holds no control characters; another is never anybody's.
    DECLARE @possible bit = CASE WHEN DATALENGTH(@login) <= 50
                                      AND PATINDEX('%[' + CHAR(1) + '-' + CHAR(31) + CHAR(127) + ']%',
                                                   @login COLLATE Latin1_General_BIN) = 0
                                 THEN 1 ELSE 0 END;

    BEGIN TRANSACTION;

    -- The row stays locked until the commit so that concurrent failures all count.
    SELECT @found = 1,
           @user_login = u.login,
           @digest = RTRIM(u.pass_digest),
           @full_name = u.full_name,
           @pass_changed = u.pass_changed,
           @pass_days = u.pass_days,
           @must_change = u.must_change,
           @failed_count = u.failed_count,
           @locked_until = u.locked_until,
           @disabled = u.disabled,
           @role_number = u.role_number,
           @stored_role = u.db_role
    FROM dbo.zeb_users u WITH (UPDLOCK, HOLDLOCK)
    WHERE UPPER(RTRIM(u.login)) = UPPER(RTRIM(@login)) AND @possible = 1;

    -- Digests compare exactly: binary collation, and equal lengths because = ignores trailing blanks.
    IF @found = 1 AND @pass IS NOT NULL AND DATALENGTH(@pass) = DATALENGTH(@digest)
       AND @pass = @digest COLLATE Latin1_General_BIN2
        SET @right = 1;
    -- A lock is told only to whoever knows the password: the answers to a guess are alike for every
    -- login, real or not.
    IF @found = 0
        SET @refusal = @msg_unknown;
    ELSE IF @disabled = 1
    BEGIN
        SET @refusal = CASE WHEN @right = 1 THEN @msg_disabled ELSE @msg_unknown END;
        -- Whatever enabled the person's login meanwhile, a locked person's login stays shut.
        IF EXISTS (SELECT 1 FROM sys.server_principals WHERE name = @stored_role)
        BEGIN
            SET @sql = N'ALTER LOGIN ' + QUOTENAME(@stored_role) + N' DISABLE';
            EXEC (@sql);
        END
    END
    ELSE IF @locked_until > @now
        SET @refusal = CASE WHEN @right = 1 THEN @msg_locked ELSE @msg_unknown END;
    ELSE IF @right = 0
    BEGIN
        IF @failed_count + 1 >= @max_failures
        BEGIN
            UPDATE dbo.zeb_users
            SET failed_count = 0, locked_until = DATEADD(minute, 15, @now)
            WHERE login = @user_login;
            SET @refusal = @msg_unknown;
        END
        ELSE
        BEGIN
            UPDATE dbo.zeb_users
            SET failed_count = @failed_count + 1
            WHERE login = @user_login;
            SET @refusal = @msg_unknown;
        END
    END
    ELSE
    BEGIN
        UPDATE dbo.zeb_users
        SET failed_count = 0, locked_until = NULL
        WHERE login = @user_login;

        IF NULLIF(RTRIM(@newpass), '') IS NOT NULL
        BEGIN
            IF DATALENGTH(@newpass) = DATALENGTH(@digest) AND @newpass = @digest COLLATE Latin1_General_BIN2
                SET @refusal = @msg_same_password;
            ELSE
            BEGIN
                UPDATE dbo.zeb_users
                SET pass_digest = @newpass, pass_changed = @now, must_change = 0
                WHERE login = @user_login;
                SET @pass_changed = @now;
                SET @must_change = 0;
            END
        END
    END

    IF @refusal IS NOT NULL
    BEGIN
        COMMIT TRANSACTION;
        SELECT CAST('' AS varchar(20)) AS db_user,
               CAST('' AS varchar(20)) AS db_password,
               CAST(NULL AS varchar(100)) AS user_name,
               0 AS pass_state,
               @refusal AS message,
               1 AS update_state,
               CAST(NULL AS varchar(64)) AS update_digest,
               CAST(NULL AS int) AS update_build;
        RETURN;
    END

    -- Days left before the password expires; a password without a date has to be changed.
    IF @must_change = 1 OR @pass_changed IS NULL
        SET @pass_state = -1;
    ELSE
        SET @pass_state = @pass_days
                          - CASE WHEN @now > @pass_changed
                                 THEN CAST(FLOOR(CAST(@now AS float) - CAST(@pass_changed AS float)) AS int)
                                 ELSE 0 END;

    SELECT @program = p.program, @published = p.build, @published_digest = p.digest
    FROM dbo.zeb_program p
    WHERE UPPER(RTRIM(p.program)) = UPPER(RTRIM(@prog));
    IF @@ROWCOUNT = 0
        SET @program = @prog;

    -- A workstation told to update is recorded as updated at once, so that it does not loop.
    IF NOT EXISTS (SELECT 1 FROM dbo.zeb_workstations w WITH (UPDLOCK, HOLDLOCK)
                   WHERE w.computer = @comp AND w.program = @program)
        INSERT INTO dbo.zeb_workstations (computer, program, build)
        VALUES (@comp, @program, @published);

    SELECT @station_build = w.build
    FROM dbo.zeb_workstations w WITH (UPDLOCK)
    WHERE w.computer = @comp AND w.program = @program;

    SET @update_state = CASE WHEN @station_build < @published THEN 2 ELSE 1 END;

    UPDATE dbo.zeb_workstations
    SET build = CASE WHEN @update_state = 2 THEN @published ELSE build END,
        last_ip = @ip,
        last_login = @login,
        last_seen = @now
    WHERE computer = @comp AND program = @program;

    SET @update_digest = CASE WHEN @update_state = 2 THEN @published_digest END;

    -- A password that must be changed opens nothing until the change comes with the call. Otherwise the
    -- person gets a login of their own with a password nobody else has seen: whoever changes it harms only
    -- that login, and only until its next sign-in.
    IF @pass_state >= 0
    BEGIN
        SELECT @group = w.role_name FROM dbo.zeb_work_role w WHERE w.id = 1;
        IF @group IS NULL
        BEGIN
            ROLLBACK TRANSACTION;
            RAISERROR (N'В установке не задана групповая роль: выполните accounts.sql заново.', 16, 1);
            RETURN;
        END
        SET @role = ISNULL(@stored_role, @group + '_' + CAST(@role_number AS varchar(12)));
        IF IS_SRVROLEMEMBER(N'sysadmin', @role) = 1
        BEGIN
            ROLLBACK TRANSACTION;
            RAISERROR (N'Учётная запись %s не может быть выдана пользователю: у неё права администратора.',
                       16, 1, @role);
            RETURN;
        END
        -- 48 random hex digits, both cases. No password policy applies to the login: a lockout after
        -- failed attempts by someone else would shut the person out.
        SET @role_password = CONVERT(varchar(24), CRYPT_GEN_RANDOM(12), 2)
                             + LOWER(CONVERT(varchar(24), CRYPT_GEN_RANDOM(12), 2));
        -- Dynamic SQL runs with the rights of the procedure's signature (accounts.sql), as the static
        -- statements do; a nested procedure call would not, hence ALTER ROLE rather than sp_addrolemember
        -- (which is not allowed in a transaction either).
        IF NOT EXISTS (SELECT 1 FROM sys.server_principals WHERE name = @role)
            SET @sql = N'CREATE LOGIN ' + QUOTENAME(@role) + N' WITH PASSWORD = N''' + @role_password
                       + N''', DEFAULT_DATABASE = ' + QUOTENAME(DB_NAME())
                       + N', CHECK_EXPIRATION = OFF, CHECK_POLICY = OFF';
        ELSE
            -- Whatever the person set on their own login last time (default database, policy) is reset.
            SET @sql = N'ALTER LOGIN ' + QUOTENAME(@role) + N' WITH CHECK_POLICY = OFF;'
                       + N' ALTER LOGIN ' + QUOTENAME(@role) + N' WITH PASSWORD = N''' + @role_password
                       + N''', DEFAULT_DATABASE = ' + QUOTENAME(DB_NAME()) + N';'
                       + N' ALTER LOGIN ' + QUOTENAME(@role) + N' ENABLE';
        EXEC (@sql);
        IF NOT EXISTS (SELECT 1 FROM sys.database_principals WHERE name = @role)
        BEGIN
            SET @sql = N'CREATE USER ' + QUOTENAME(@role) + N' FOR LOGIN ' + QUOTENAME(@role)
                       + N' WITH DEFAULT_SCHEMA = dbo';
            EXEC (@sql);
        END
        IF NOT EXISTS (SELECT 1
                       FROM sys.database_role_members m
                       JOIN sys.database_principals r ON r.principal_id = m.role_principal_id
                       JOIN sys.database_principals p ON p.principal_id = m.member_principal_id
                       WHERE r.name = @group AND p.name = @role)
        BEGIN
            SET @sql = N'ALTER ROLE ' + QUOTENAME(@group) + N' ADD MEMBER ' + QUOTENAME(@role);
            EXEC (@sql);
        END
        IF @stored_role IS NULL
            UPDATE dbo.zeb_users SET db_role = @role WHERE login = @user_login;
        SET @db_user = dbo.zeb_scrambled(@role);
        SET @db_password = dbo.zeb_scrambled(@role_password);
    END

    COMMIT TRANSACTION;

    SELECT @db_user AS db_user,
           @db_password AS db_password,
           @full_name AS user_name,
           @pass_state AS pass_state,
           CAST(NULL AS nvarchar(200)) AS message,
           @update_state AS update_state,
           @update_digest AS update_digest,
           CASE WHEN @update_state = 2 THEN @published END AS update_build;
END
GO

-- The administrator's lock, run as the administrator: the sign-in refuses the person from now on, the
-- person's own login is disabled (a right the signature gives) and its open sessions end at once (seeing
-- and ending other sessions takes the caller's own VIEW SERVER STATE and ALTER ANY CONNECTION).
CREATE PROCEDURE dbo.LOCK_USER
    @login varchar(50),
    -- 1: only shut the login and end its sessions (a password reset), the person stays enabled.
    @shut_only bit = 0
AS
BEGIN
    SET NOCOUNT ON;

    DECLARE @user_login varchar(50);
    DECLARE @role sysname;
    DECLARE @session int;
    DECLARE @sql nvarchar(300);

    SELECT @user_login = u.login, @role = u.db_role
    FROM dbo.zeb_users u
    WHERE UPPER(RTRIM(u.login)) = UPPER(RTRIM(@login));
    IF @user_login IS NULL
    BEGIN
        RAISERROR (N'Пользователь «%s» не найден.', 16, 1, @login);
        RETURN;
    END

    -- The mark goes first: it waits for a sign-in under way, whose login is then shut below.
    IF @shut_only = 0
        UPDATE dbo.zeb_users SET disabled = 1 WHERE login = @user_login;
    IF NOT EXISTS (SELECT 1 FROM sys.server_principals WHERE name = @role)
        RETURN;
    SET @sql = N'ALTER LOGIN ' + QUOTENAME(@role) + N' DISABLE';
    EXEC (@sql);

    DECLARE sessions CURSOR LOCAL FAST_FORWARD FOR
        SELECT s.session_id FROM sys.dm_exec_sessions s WHERE s.login_name = @role;
    OPEN sessions;
    FETCH NEXT FROM sessions INTO @session;
    WHILE @@FETCH_STATUS = 0
    BEGIN
        SET @sql = N'KILL ' + CAST(@session AS nvarchar(12));
        EXEC (@sql);
        FETCH NEXT FROM sessions INTO @session;
    END
    CLOSE sessions;
    DEALLOCATE sessions;
END
GO

-- Runs with the caller's rights: the schedule account may write lines and the log anyway.
CREATE PROCEDURE dbo.CopyKafedraOnKafedra
    @id_kafedraFrom int,
    @id_kafedraTo int,
    @zeb_user varchar(50),
    @ip varchar(150)
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;

    DECLARE @missing nvarchar(12);
    DECLARE @copied int;

    IF NOT EXISTS (SELECT 1 FROM dbo.Kafedra k WHERE k.id_kafedra = @id_kafedraFrom)
    BEGIN
        SET @missing = ISNULL(CAST(@id_kafedraFrom AS nvarchar(12)), N'<NULL>');
        RAISERROR (N'Кафедра с кодом %s не найдена.', 16, 1, @missing);
        RETURN;
    END
    IF NOT EXISTS (SELECT 1 FROM dbo.Kafedra k WHERE k.id_kafedra = @id_kafedraTo)
    BEGIN
        SET @missing = ISNULL(CAST(@id_kafedraTo AS nvarchar(12)), N'<NULL>');
        RAISERROR (N'Кафедра с кодом %s не найдена.', 16, 1, @missing);
        RETURN;
    END

    BEGIN TRANSACTION;

    INSERT INTO dbo.Vakansii (
        id_otdel_1, id_otdel_11, id_faculty, id_kafedra, id_post, q_units, razrad, Num, id_otdel_2,
        id_enter, e_n_p, e_d_p, id_deduce, d_n_p, d_d_p, id_structure, id_bk, ZEB_User, ZEB_Update,
        hourFond, descr)
    SELECT v.id_otdel_1, v.id_otdel_11, v.id_faculty, @id_kafedraTo, v.id_post, v.q_units, v.razrad, v.Num,
           v.id_otdel_2, v.id_enter, v.e_n_p, v.e_d_p, v.id_deduce, v.d_n_p, v.d_d_p, v.id_structure,
           v.id_bk, LEFT(@zeb_user, 20), CAST(GETDATE() AS date), v.hourFond, v.descr
    FROM dbo.Vakansii v
    WHERE v.id_kafedra = @id_kafedraFrom AND (v.id_deduce IS NULL OR v.id_deduce <> 2)
    ORDER BY v.id_vakansiya;
    SET @copied = @@ROWCOUNT;

    INSERT INTO dbo.ZEB_LOG ([table], row_id, descr, ZEB_User, comp)
    VALUES ('kafedra', @id_kafedraTo,
            N'Скопированы строки кафедры ' + CAST(@id_kafedraFrom AS nvarchar(12))
            + N' на кафедру ' + CAST(@id_kafedraTo AS nvarchar(12)) + N': ' + CAST(@copied AS nvarchar(12)),
            @zeb_user, @ip);

    COMMIT TRANSACTION;
END
GO

-- The audit log, as server/pg/procedures.sql keeps it. The key is the table's identity (an explicit key
-- needs IDENTITY_INSERT, which the schedule role lacks); the trigger records the session's login and the
-- server's time whatever the client's INSERT says. A department removal logs itself
-- (dbo.kafedra_removal_log); the client's own row for it, written under the same login, completes that row
-- instead of adding a second one. Both reach the tables by ownership chaining.
CREATE TRIGGER dbo.zeb_log_insert ON dbo.ZEB_LOG
INSTEAD OF INSERT
AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @removal int = NULL;
    IF (SELECT COUNT(*) FROM inserted) = 1
        SELECT @removal = MIN(l.id_zeb_log)
        FROM dbo.ZEB_LOG AS l
        JOIN inserted AS i ON l.row_id = i.row_id AND l.[table] = i.[table] AND l.descr = i.descr
        WHERE i.comp IS NOT NULL AND l.comp IS NULL AND l.db_login = ORIGINAL_LOGIN();
    IF @removal IS NOT NULL
        UPDATE l SET ZEB_User = i.ZEB_User, comp = i.comp
        FROM dbo.ZEB_LOG AS l CROSS JOIN inserted AS i
        WHERE l.id_zeb_log = @removal;
    ELSE
        INSERT INTO dbo.ZEB_LOG ([table], row_id, descr, ZEB_User, comp, logged, db_login)
        SELECT i.[table], i.row_id, i.descr, i.ZEB_User, i.comp, GETDATE(), ORIGINAL_LOGIN()
        FROM inserted AS i;
END
GO

CREATE TRIGGER dbo.kafedra_removal_log ON dbo.Kafedra
AFTER DELETE
AS
BEGIN
    SET NOCOUNT ON;
    INSERT INTO dbo.ZEB_LOG ([table], row_id, descr, ZEB_User)
    SELECT 'kafedra', d.id_kafedra,
           N'Запись с уникальным номером - ' + CAST(d.id_kafedra AS nvarchar(12))
           + N' была удалена.(id_kafedra = [' + CAST(d.id_kafedra AS nvarchar(12)) + N'])',
           COALESCE((SELECT TOP (1) u.login FROM dbo.zeb_users AS u WHERE u.db_role = ORIGINAL_LOGIN()),
                    ORIGINAL_LOGIN())
    FROM deleted AS d;
END
GO
