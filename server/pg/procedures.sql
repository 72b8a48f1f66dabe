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
    update_digest text)
LANGUAGE plpgsql
SECURITY DEFINER
SET search_path = dbo, pg_temp
SET TimeZone FROM CURRENT
AS $$
DECLARE
    msg_unknown constant text := 'Неверное имя пользователя или пароль.';
    msg_disabled constant text := 'Учётная запись заблокирована. Обратитесь к администратору.';
    msg_locked constant text := 'Учётная запись временно заблокирована после неудачных попыток входа. '
                                || 'Повторите попытку через 15 минут.';
    msg_same_password constant text := 'Новый пароль должен отличаться от прежнего.';
    max_failures constant integer := 5;
    lock_time constant interval := interval '15 minutes';
    account zeb_users%ROWTYPE;
    refusal text;
    v_program varchar(20);
    v_published integer;
    v_published_digest varchar(64);
    v_station_build integer;
    v_group text;
    v_role text;
    v_role_password text;
    -- Cut to the sizes the columns (and the SQL Server procedure's parameters) have.
    v_login varchar(50) := left(p_login, 50);
    v_computer varchar(100) := left(p_computer, 100);
BEGIN
    -- The row stays locked until the end of the call so that concurrent failures all count.
    SELECT * INTO account
    FROM zeb_users u
    WHERE upper(rtrim(u.login) COLLATE "und-x-icu") = upper(rtrim(v_login) COLLATE "und-x-icu")
    FOR UPDATE;

    IF NOT FOUND THEN
        refusal := msg_unknown;
    ELSIF account.disabled = 1 THEN
        refusal := msg_disabled;
        -- Whatever opened the person's login meanwhile, a locked person's login stays shut.
        IF EXISTS (SELECT 1 FROM pg_roles r WHERE r.rolname = account.db_role) THEN
            EXECUTE format('ALTER ROLE %I NOLOGIN', account.db_role);
        END IF;
    ELSIF account.locked_until > localtimestamp THEN
        refusal := msg_locked;
    ELSIF p_digest IS NULL OR account.pass_digest::text <> p_digest THEN
        IF account.failed_count + 1 >= max_failures THEN
            UPDATE zeb_users u
            SET failed_count = 0, locked_until = localtimestamp + lock_time
            WHERE u.login = account.login;
            refusal := msg_locked;
        ELSE
            UPDATE zeb_users u
            SET failed_count = account.failed_count + 1
            WHERE u.login = account.login;
            refusal := msg_unknown;
        END IF;
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

    IF refusal IS NOT NULL THEN
        db_user := '';
        db_password := '';
        user_name := NULL;
        pass_state := 0;
        message := refusal;
        update_state := 1;
        update_digest := NULL;
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
        last_login = v_login,
        last_seen = localtimestamp
    WHERE w.computer = v_computer AND w.program = v_program;

    update_digest := CASE WHEN update_state = 2 THEN v_published_digest END;
    user_name := account.full_name;
    message := NULL;
    db_user := '';
    db_password := '';
    -- A password that must be changed opens nothing until the change comes with the call.
    IF pass_state < 0 THEN
        RETURN NEXT;
        RETURN;
    END IF;

    -- The person's own login with a fresh password nobody else has seen: a person who changes it harms
    -- only that login, and only until its next sign-in.
    SELECT w.role_name INTO v_group FROM zeb_work_role w WHERE w.id = 1;
    IF v_group IS NULL THEN
        RAISE EXCEPTION 'В установке не задана групповая роль: выполните zeb7-admin accounts repair.';
    END IF;
    v_role := coalesce(account.db_role, v_group || '_' || account.role_number);
    v_role_password := replace(gen_random_uuid()::text, '-', '');
    IF NOT EXISTS (SELECT 1 FROM pg_roles r WHERE r.rolname = v_role) THEN
        EXECUTE format('CREATE ROLE %I LOGIN PASSWORD %L IN ROLE %I', v_role, v_role_password, v_group);
    ELSIF EXISTS (SELECT 1 FROM pg_roles r
                  WHERE r.rolname = v_role
                    AND (r.rolsuper OR r.rolcreaterole OR r.rolcreatedb OR r.rolreplication OR r.rolbypassrls)) THEN
        RAISE EXCEPTION 'Роль % не может быть выдана пользователю: у неё права администратора.', v_role;
    ELSE
        EXECUTE format('ALTER ROLE %I LOGIN PASSWORD %L VALID UNTIL %L', v_role, v_role_password, 'infinity');
        IF NOT pg_has_role(v_role, v_group, 'MEMBER') THEN
            EXECUTE format('GRANT %I TO %I', v_group, v_role);
        END IF;
        -- Settings the person gave their own login last time stay with that time.
        EXECUTE format('ALTER ROLE %I RESET ALL', v_role);
        EXECUTE format('ALTER ROLE %I IN DATABASE %I RESET ALL', v_role, current_database());
    END IF;
    IF account.db_role IS NULL THEN
        UPDATE zeb_users u SET db_role = v_role WHERE u.login = account.login;
    END IF;

    db_user := zeb_scrambled(v_role);
    db_password := zeb_scrambled(v_role_password);
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
