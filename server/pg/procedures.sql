-- The two procedures the client calls. get_user runs as its owner so that the sign-in account needs
-- nothing but EXECUTE on it; TimeZone is pinned to the installer's so that a caller cannot move the
-- clock that lock and expiry times are compared against. The owner makes and alters the persons' logins,
-- so it must be allowed to create roles.

-- Every character code minus one, as the client unscrambles the account it is handed.
CREATE OR REPLACE FUNCTION dbo.zeb_scrambled(p_text text)
RETURNS text
LANGUAGE sql
IMMUTABLE STRICT
SET search_path = pg_catalog, pg_temp
AS $$
    SELECT coalesce(string_agg(chr(ascii(substr(p_text, i, 1)) - 1), '' ORDER BY i), '')
    FROM generate_series(1, length(p_text)) AS i
$$;

-- The persons' logins. Every desk of a person is handed the same password while the login is open, so that a
-- sign-in at one desk never spoils the connection of another; each accepted sign-in keeps it open for
-- 12 hours more (login_time; never past the moment the person's password expires). A login that lapsed, was shut
-- (lock, password reset, must-change, expiry) or whose password somebody changed gets a new password at
-- its next sign-in. The password handed out is kept with the SCRAM verifier it was set with, so that a
-- change by anybody else is seen; reading the verifier needs a superuser owner, without one every sign-in
-- sets a new password as before.

-- Shuts the login and ends its sessions: it stays shut until the next accepted sign-in opens it.
CREATE OR REPLACE FUNCTION dbo.zeb_shut_login(p_role text)
RETURNS void
LANGUAGE plpgsql
SET search_path = dbo, pg_temp
AS $$
BEGIN
    IF p_role IS NULL OR NOT EXISTS (SELECT 1 FROM pg_roles r WHERE r.rolname = p_role) THEN
        RETURN;
    END IF;
    -- The login goes first, so that a session ended below cannot come back.
    EXECUTE format('ALTER ROLE %I NOLOGIN PASSWORD NULL', p_role);
    UPDATE zeb_users u SET db_password = NULL, db_verifier = NULL WHERE u.db_role = p_role;
    BEGIN
        PERFORM pg_terminate_backend(a.pid) FROM pg_stat_activity a WHERE a.usename = p_role;
    EXCEPTION
        WHEN insufficient_privilege THEN
            -- An owner that may not end them leaves them to the administrator's lock.
            NULL;
    END;
END;
$$;

-- Ends the sessions of the persons' logins that can no longer log in: shut, or open longer than allowed.
CREATE OR REPLACE FUNCTION dbo.zeb_end_lapsed_sessions(p_group text)
RETURNS void
LANGUAGE plpgsql
SET search_path = dbo, pg_temp
AS $$
BEGIN
    PERFORM pg_terminate_backend(a.pid)
    FROM pg_stat_activity a
    JOIN pg_roles r ON r.oid = a.usesysid
    JOIN pg_auth_members m ON m.member = r.oid
    JOIN pg_roles g ON g.oid = m.roleid
    WHERE g.rolname = p_group AND NOT r.rolsuper
      AND (NOT r.rolcanlogin OR r.rolvaliduntil <= now());
EXCEPTION
    WHEN insufficient_privilege THEN
        NULL;
END;
$$;

-- The verifier PostgreSQL keeps for the role's password, NULL when the owner may not read it.
CREATE OR REPLACE FUNCTION dbo.zeb_login_verifier(p_role text)
RETURNS text
LANGUAGE plpgsql
STABLE
SET search_path = dbo, pg_temp
AS $$
DECLARE
    v_verifier text;
BEGIN
    IF NOT has_table_privilege('pg_catalog.pg_authid', 'SELECT') THEN
        RETURN NULL;
    END IF;
    SELECT a.rolpassword INTO v_verifier
    FROM pg_catalog.pg_authid a
    WHERE a.rolname = p_role AND a.rolcanlogin AND a.rolvaliduntil > now();
    RETURN v_verifier;
END;
$$;

-- Opens the person's login until p_until and returns its password: the one handed out before while the
-- login is still open with it, otherwise a new one.
CREATE OR REPLACE FUNCTION dbo.zeb_open_login(p_login varchar, p_role text, p_group text, p_until timestamptz)
RETURNS text
LANGUAGE plpgsql
SET search_path = dbo, pg_temp
AS $$
DECLARE
    v_until constant text := to_char(p_until AT TIME ZONE 'UTC', 'YYYY-MM-DD"T"HH24:MI:SS"Z"');
    v_stored text;
    v_verifier text;
    v_password text;
BEGIN
    SELECT u.db_password, u.db_verifier INTO v_stored, v_verifier FROM zeb_users u WHERE u.login = p_login;
    IF NOT EXISTS (SELECT 1 FROM pg_roles r WHERE r.rolname = p_role) THEN
        v_password := replace(gen_random_uuid()::text, '-', '');
        EXECUTE format('CREATE ROLE %I LOGIN PASSWORD %L VALID UNTIL %L IN ROLE %I',
                       p_role, v_password, v_until, p_group);
    ELSIF EXISTS (SELECT 1 FROM pg_roles r
                  WHERE r.rolname = p_role
                    AND (r.rolsuper OR r.rolcreaterole OR r.rolcreatedb OR r.rolreplication OR r.rolbypassrls)) THEN
        RAISE EXCEPTION 'Роль % не может быть выдана пользователю: у неё права администратора.', p_role;
    ELSE
        IF v_stored IS NOT NULL AND v_verifier IS NOT NULL AND zeb_login_verifier(p_role) = v_verifier THEN
            v_password := v_stored;
            EXECUTE format('ALTER ROLE %I VALID UNTIL %L', p_role, v_until);
        ELSE
            v_password := replace(gen_random_uuid()::text, '-', '');
            EXECUTE format('ALTER ROLE %I LOGIN PASSWORD %L VALID UNTIL %L', p_role, v_password, v_until);
        END IF;
        IF NOT pg_has_role(p_role, p_group, 'MEMBER') THEN
            EXECUTE format('GRANT %I TO %I', p_group, p_role);
        END IF;
        -- Settings the person gave their own login stay with that sign-in.
        EXECUTE format('ALTER ROLE %I RESET ALL', p_role);
        EXECUTE format('ALTER ROLE %I IN DATABASE %I RESET ALL', p_role, current_database());
    END IF;
    UPDATE zeb_users u
    SET db_role = p_role, db_password = v_password, db_verifier = zeb_login_verifier(p_role)
    WHERE u.login = p_login;
    RETURN v_password;
END;
$$;

-- Ends the sessions of the sign-in account that keep a transaction with writes open the way no sign-in does:
-- idle in it, over several statements, asleep in it, or longer than half a minute. An honest sign-in is one
-- statement in a transaction of its own, which a busy server may well take seconds over; it is spared. (The
-- rows' lockers cannot be named exactly: get_user locks them in a subtransaction, whose id pg_locks does not
-- show.)
CREATE OR REPLACE FUNCTION dbo.zeb_end_held_sign_ins(p_held interval)
RETURNS integer
LANGUAGE plpgsql
SET search_path = dbo, pg_temp
AS $$
DECLARE
    holder record;
    ended integer := 0;
BEGIN
    FOR holder IN
        SELECT a.pid, a.client_addr, a.xact_start
        FROM pg_stat_activity a
        WHERE a.usename = session_user AND a.pid <> pg_backend_pid()
          AND a.backend_xid IS NOT NULL AND a.xact_start < clock_timestamp() - p_held
          AND (a.state <> 'active' OR a.xact_start < a.query_start OR a.wait_event_type = 'Timeout'
               OR a.xact_start < clock_timestamp() - interval '30 seconds')
    LOOP
        RAISE LOG 'zeb get_user: ending session % from % of the sign-in account, holding sign-in rows since %',
            holder.pid, holder.client_addr, holder.xact_start;
        IF pg_terminate_backend(holder.pid) THEN
            ended := ended + 1;
        END IF;
    END LOOP;
    RETURN ended;
EXCEPTION
    WHEN insufficient_privilege THEN
        RETURN ended;
END;
$$;

-- One sign-in attempt; dbo.get_user runs it as the owner, within lock timeouts.
CREATE OR REPLACE FUNCTION dbo.zeb_sign_in(
    p_login text,
    p_digest text,
    p_new_digest text,
    p_program text,
    p_ip text,
    p_computer text)
RETURNS TABLE (
    db_user text,
    db_password text,
    user_name text,
    pass_state integer,
    message text,
    update_state integer,
    update_digest text,
    update_build integer)
LANGUAGE plpgsql
SET search_path = dbo, pg_temp
AS $$
DECLARE
    msg_unknown constant text := 'Неверное имя пользователя или пароль.';
    msg_disabled constant text := 'Учётная запись заблокирована. Обратитесь к администратору.';
    msg_locked constant text := 'Учётная запись временно заблокирована после неудачных попыток входа. '
                                || 'Повторите попытку через 15 минут.';
    msg_same_password constant text := 'Новый пароль должен отличаться от прежнего.';
    max_failures constant integer := 5;
    lock_time constant interval := interval '15 minutes';
    -- How long a login handed out at sign-in stays open: a working day and its evening.
    login_time constant interval := interval '12 hours';
    account zeb_users%ROWTYPE;
    refusal text;
    v_right boolean;
    v_program varchar(20);
    v_published integer;
    v_published_digest varchar(64);
    v_station_build integer;
    v_group text;
    v_role text;
    v_role_password text;
    v_computer varchar(100) := left(p_computer, 100);
BEGIN
    -- A login is at most 50 characters and holds no control characters; another is never anybody's.
    IF p_login IS NULL OR length(p_login) > 50 OR p_login ~ '[\x01-\x1f\x7f]' THEN
        refusal := msg_unknown;
    ELSE
        -- The row stays locked until the end of the call so that concurrent failures all count.
        SELECT * INTO account
        FROM zeb_users u
        WHERE upper(rtrim(u.login) COLLATE "und-x-icu") = upper(rtrim(p_login) COLLATE "und-x-icu")
        FOR UPDATE;
        v_right := FOUND AND p_digest IS NOT NULL AND account.pass_digest::text = p_digest;
        -- A lock is told only to whoever knows the password: the answers to a guess are alike for every
        -- login, real or not.
        IF NOT FOUND THEN
            refusal := msg_unknown;
        ELSIF account.disabled = 1 THEN
            refusal := CASE WHEN v_right THEN msg_disabled ELSE msg_unknown END;
            -- Whatever opened the person's login meanwhile, a locked person's login stays shut.
            PERFORM zeb_shut_login(account.db_role);
        ELSIF account.locked_until > localtimestamp THEN
            refusal := CASE WHEN v_right THEN msg_locked ELSE msg_unknown END;
        ELSIF NOT v_right THEN
            IF account.failed_count + 1 >= max_failures THEN
                UPDATE zeb_users u
                SET failed_count = 0, locked_until = localtimestamp + lock_time
                WHERE u.login = account.login;
            ELSE
                UPDATE zeb_users u
                SET failed_count = account.failed_count + 1
                WHERE u.login = account.login;
            END IF;
            refusal := msg_unknown;
        ELSE
            UPDATE zeb_users u
            SET failed_count = 0, locked_until = NULL
            WHERE u.login = account.login;

            IF nullif(rtrim(p_new_digest), '') IS NOT NULL THEN
                IF p_new_digest = account.pass_digest::text THEN
                    refusal := msg_same_password;
                ELSE
                    UPDATE zeb_users u
                    SET pass_digest = p_new_digest, pass_changed = localtimestamp, must_change = 0
                    WHERE u.login = account.login
                    RETURNING * INTO account;
                END IF;
            END IF;
        END IF;
    END IF;

    IF refusal IS NOT NULL THEN
        db_user := '';
        db_password := '';
        user_name := NULL;
        pass_state := 0;
        message := refusal;
        update_state := 1;
        update_digest := NULL;
        update_build := NULL;
        RETURN NEXT;
        RETURN;
    END IF;

    -- Days left before the password expires; a password without a date has to be changed.
    IF account.must_change = 1 OR account.pass_changed IS NULL THEN
        pass_state := -1;
    ELSE
        -- Clamped: pass_changed is kept to the millisecond and may round past the present.
        pass_state := account.pass_days
                      - greatest(0, floor(extract(epoch FROM localtimestamp - account.pass_changed) / 86400))::integer;
    END IF;

    SELECT p.program, p.build, p.digest INTO v_program, v_published, v_published_digest
    FROM zeb_program p
    WHERE upper(rtrim(p.program)) = upper(rtrim(p_program));
    IF NOT FOUND THEN
        v_program := left(p_program, 20);
    END IF;

    -- A workstation told to update is recorded as updated at once, so that it does not loop.
    INSERT INTO zeb_workstations AS w (computer, program, build)
    VALUES (v_computer, v_program, v_published)
    ON CONFLICT (computer, program) DO NOTHING;

    SELECT w.build INTO v_station_build
    FROM zeb_workstations w
    WHERE w.computer = v_computer AND w.program = v_program
    FOR UPDATE;

    IF v_station_build < v_published THEN
        update_state := 2;
    ELSE
        update_state := 1;
    END IF;

    UPDATE zeb_workstations w
    SET build = CASE WHEN update_state = 2 THEN v_published ELSE w.build END,
        last_ip = left(p_ip, 15),
        last_login = p_login,
        last_seen = localtimestamp
    WHERE w.computer = v_computer AND w.program = v_program;

    update_digest := CASE WHEN update_state = 2 THEN v_published_digest END;
    update_build := CASE WHEN update_state = 2 THEN v_published END;
    user_name := account.full_name;
    message := NULL;
    db_user := '';
    db_password := '';
    -- A password that must be changed (or has expired) opens nothing until the change comes with the
    -- call, and shuts what it opened before.
    IF pass_state < 0 THEN
        PERFORM zeb_shut_login(account.db_role);
        RETURN NEXT;
        RETURN;
    END IF;

    -- The person's own login: a person who changes its password harms only that login, and only until
    -- the next sign-in.
    SELECT w.role_name INTO v_group FROM zeb_work_role w WHERE w.id = 1;
    IF v_group IS NULL THEN
        RAISE EXCEPTION 'В установке не задана групповая роль: выполните zeb7-admin accounts repair.';
    END IF;
    v_role := coalesce(account.db_role, v_group || '_' || account.role_number);
    v_role_password := zeb_open_login(
        account.login, v_role, v_group,
        least(now() + login_time,
              (account.pass_changed + make_interval(days => account.pass_days + 1))::timestamptz));

    db_user := zeb_scrambled(v_role);
    db_password := zeb_scrambled(v_role_password);
    RETURN NEXT;
END;
$$;

-- The sign-in procedure. A row another session keeps locked is waited for a few seconds only
-- (lock_timeout); a session of the sign-in account that holds it is then ended and the attempt made once
-- more, and should that fail too the caller is told to repeat later. Nothing waits unbounded.
CREATE OR REPLACE FUNCTION dbo.get_user(
    p_login text,
    p_digest text,
    p_new_digest text,
    p_program text,
    p_ip text,
    p_computer text,
    p_login_again text,
    p_zero text,
    p_length text)
RETURNS TABLE (
    db_user text,
    db_password text,
    user_name text,
    pass_state integer,
    message text,
    update_state integer,
    update_digest text,
    update_build integer)
LANGUAGE plpgsql
SECURITY DEFINER
SET search_path = dbo, pg_temp
SET TimeZone FROM CURRENT
SET lock_timeout = '3s'
AS $$
DECLARE
    msg_busy constant text := 'Сервер сейчас не может проверить вход: его задерживает другой сеанс. '
                              || 'Повторите попытку через минуту; если это повторяется, обратитесь к администратору.';
    answer record;
    v_group text;
BEGIN
    SELECT w.role_name INTO v_group FROM zeb_work_role w WHERE w.id = 1;
    PERFORM zeb_end_lapsed_sessions(v_group);
    FOR attempt IN 1..2 LOOP
        BEGIN
            SELECT * INTO answer FROM zeb_sign_in(p_login, p_digest, p_new_digest, p_program, p_ip, p_computer);
            db_user := answer.db_user;
            db_password := answer.db_password;
            user_name := answer.user_name;
            pass_state := answer.pass_state;
            message := answer.message;
            update_state := answer.update_state;
            update_digest := answer.update_digest;
            update_build := answer.update_build;
            RETURN NEXT;
            RETURN;
        EXCEPTION
            WHEN lock_not_available OR query_canceled THEN
                EXIT WHEN attempt = 2 OR zeb_end_held_sign_ins(interval '3 seconds') = 0;
        END;
    END LOOP;
    db_user := '';
    db_password := '';
    user_name := NULL;
    pass_state := 0;
    message := msg_busy;
    update_state := 1;
    update_digest := NULL;
    update_build := NULL;
    RETURN NEXT;
END;
$$;

-- Runs with the caller's rights: the schedule account may write lines and the log anyway.
CREATE OR REPLACE PROCEDURE dbo.copykafedraonkafedra(
    id_kafedrafrom integer,
    id_kafedrato integer,
    zeb_user text,
    ip text)
LANGUAGE plpgsql
SET search_path = dbo, pg_temp
AS $$
DECLARE
    v_from constant integer := id_kafedrafrom;
    v_to constant integer := id_kafedrato;
    v_login constant varchar(50) := left(zeb_user, 50);
    v_comp constant varchar(150) := left(ip, 150);
    v_copied integer;
BEGIN
    IF NOT EXISTS (SELECT 1 FROM kafedra k WHERE k.id_kafedra = v_from) THEN
        RAISE EXCEPTION 'Кафедра с кодом % не найдена.', v_from;
    END IF;
    IF NOT EXISTS (SELECT 1 FROM kafedra k WHERE k.id_kafedra = v_to) THEN
        RAISE EXCEPTION 'Кафедра с кодом % не найдена.', v_to;
    END IF;

    INSERT INTO vakansii (
        id_otdel_1, id_otdel_11, id_faculty, id_kafedra, id_post, q_units, razrad, num, id_otdel_2,
        id_enter, e_n_p, e_d_p, id_deduce, d_n_p, d_d_p, id_structure, id_bk, zeb_user, zeb_update,
        hourfond, descr)
    SELECT v.id_otdel_1, v.id_otdel_11, v.id_faculty, v_to, v.id_post, v.q_units, v.razrad, v.num,
           v.id_otdel_2, v.id_enter, v.e_n_p, v.e_d_p, v.id_deduce, v.d_n_p, v.d_d_p, v.id_structure,
           v.id_bk, left(v_login, 20), current_date, v.hourfond, v.descr
    FROM vakansii v
    WHERE v.id_kafedra = v_from AND (v.id_deduce IS NULL OR v.id_deduce <> 2)
    ORDER BY v.id_vakansiya;
    GET DIAGNOSTICS v_copied = ROW_COUNT;

    INSERT INTO zeb_log ("table", row_id, descr, zeb_user, comp)
    VALUES ('kafedra', v_to,
            format('Скопированы строки кафедры %s на кафедру %s: %s', v_from, v_to, v_copied),
            v_login, v_comp);
END;
$$;

-- The audit log. Whatever a client's INSERT says, a row's key comes from the log's sequence (kept only
-- when it is the value this session was last handed and still free), and the row records the session's database login
-- and the server's time. A department removal logs itself (dbo.zeb_log_kafedra_removal); the client's own
-- row for it, written under the same login, completes that row instead of adding a second one.
CREATE OR REPLACE FUNCTION dbo.zeb_log_stamp()
RETURNS trigger
LANGUAGE plpgsql
SECURITY DEFINER
SET search_path = dbo, pg_temp
SET TimeZone FROM CURRENT
AS $$
DECLARE
    v_sequence constant text := pg_get_serial_sequence('dbo.zeb_log', 'id_zeb_log');
    v_removal integer;
    v_handed bigint;
BEGIN
    IF NEW.comp IS NOT NULL THEN
        SELECT min(l.id_zeb_log) INTO v_removal
        FROM zeb_log l
        WHERE l.row_id = NEW.row_id AND l."table" = NEW."table" AND l.descr = NEW.descr
          AND l.comp IS NULL AND l.db_login = session_user;
        IF v_removal IS NOT NULL THEN
            UPDATE zeb_log SET zeb_user = NEW.zeb_user, comp = NEW.comp WHERE id_zeb_log = v_removal;
            RETURN NULL;
        END IF;
    END IF;
    BEGIN
        v_handed := currval(v_sequence);
    EXCEPTION WHEN object_not_in_prerequisite_state THEN
        v_handed := NULL;
    END;
    -- Rows a client wrote ahead of the sequence before this trigger existed are stepped over.
    WHILE NEW.id_zeb_log IS DISTINCT FROM v_handed
          OR EXISTS (SELECT 1 FROM zeb_log l WHERE l.id_zeb_log = NEW.id_zeb_log) LOOP
        NEW.id_zeb_log := nextval(v_sequence);
        v_handed := NEW.id_zeb_log;
    END LOOP;
    NEW.db_login := session_user;
    NEW.logged := clock_timestamp();
    RETURN NEW;
END;
$$;

DROP TRIGGER IF EXISTS zeb_log_stamp ON dbo.zeb_log;
CREATE TRIGGER zeb_log_stamp BEFORE INSERT ON dbo.zeb_log
    FOR EACH ROW EXECUTE FUNCTION dbo.zeb_log_stamp();

CREATE OR REPLACE FUNCTION dbo.zeb_log_kafedra_removal()
RETURNS trigger
LANGUAGE plpgsql
SECURITY DEFINER
SET search_path = dbo, pg_temp
AS $$
BEGIN
    INSERT INTO zeb_log ("table", row_id, descr, zeb_user)
    VALUES ('kafedra', OLD.id_kafedra,
            format('Запись с уникальным номером - %s была удалена.(id_kafedra = [%s])', OLD.id_kafedra,
                   OLD.id_kafedra),
            coalesce((SELECT u.login FROM zeb_users u WHERE u.db_role = session_user LIMIT 1),
                     session_user));
    RETURN OLD;
END;
$$;

DROP TRIGGER IF EXISTS kafedra_removal_log ON dbo.kafedra;
CREATE TRIGGER kafedra_removal_log AFTER DELETE ON dbo.kafedra
    FOR EACH ROW EXECUTE FUNCTION dbo.zeb_log_kafedra_removal();
