-- Accounts of one installation, as the installer sets them up and `zeb7-admin accounts repair` restores
-- them. The installer replaces ${DATABASE}, ${SIGNIN_ROLE}, ${SIGNIN_PASSWORD} and ${WORK_ROLE} (role
-- names plain identifiers, the password alphanumeric) and runs this as the owner of the schema, connected
-- to the database ${DATABASE}.
-- ${SIGNIN_ROLE} (the account of the connection settings file) may only run dbo.get_user.
-- ${WORK_ROLE} is a group that cannot log in and holds the schedule rights; dbo.get_user makes each person a
-- login of their own in it. Neither ever sees the sign-in tables.

DO $$
DECLARE
    granted record;
BEGIN
    IF EXISTS (SELECT 1 FROM pg_roles WHERE rolname = lower('${SIGNIN_ROLE}')) THEN
        ALTER ROLE ${SIGNIN_ROLE} LOGIN PASSWORD '${SIGNIN_PASSWORD}' VALID UNTIL 'infinity' CONNECTION LIMIT -1;
    ELSE
        CREATE ROLE ${SIGNIN_ROLE} LOGIN PASSWORD '${SIGNIN_PASSWORD}';
    END IF;
    -- A role may change its own settings; one that makes get_user fail would lock everybody out.
    ALTER ROLE ${SIGNIN_ROLE} RESET ALL;
    ALTER ROLE ${SIGNIN_ROLE} IN DATABASE ${DATABASE} RESET ALL;
    -- A sign-in takes milliseconds: a session that keeps its transaction open, or a statement that runs
    -- on, only holds the others' sign-ins. (dbo.get_user bounds its own lock waits whatever the session
    -- sets, and ends a sign-in session that holds its rows.)
    ALTER ROLE ${SIGNIN_ROLE} SET idle_in_transaction_session_timeout = '5s';
    ALTER ROLE ${SIGNIN_ROLE} SET statement_timeout = '30s';
    -- In no group, and nobody else may act as the sign-in role.
    FOR granted IN
        SELECT g.rolname AS granted_role, r.rolname AS member
        FROM pg_auth_members m
        JOIN pg_roles g ON g.oid = m.roleid
        JOIN pg_roles r ON r.oid = m.member
        WHERE lower('${SIGNIN_ROLE}') IN (g.rolname, r.rolname)
    LOOP
        EXECUTE format('REVOKE %I FROM %I', granted.granted_role, granted.member);
    END LOOP;

    IF EXISTS (SELECT 1 FROM pg_roles WHERE rolname = lower('${WORK_ROLE}')) THEN
        ALTER ROLE ${WORK_ROLE} NOLOGIN PASSWORD NULL;
    ELSE
        CREATE ROLE ${WORK_ROLE} NOLOGIN;
    END IF;
END;
$$;

REVOKE ALL ON DATABASE ${DATABASE} FROM PUBLIC, ${SIGNIN_ROLE};
REVOKE ALL ON SCHEMA public FROM PUBLIC, ${SIGNIN_ROLE};
REVOKE ALL ON SCHEMA dbo FROM PUBLIC, ${SIGNIN_ROLE};
REVOKE ALL ON ALL TABLES IN SCHEMA dbo FROM PUBLIC, ${SIGNIN_ROLE};
REVOKE ALL ON ALL SEQUENCES IN SCHEMA dbo FROM PUBLIC, ${SIGNIN_ROLE};
REVOKE ALL ON ALL ROUTINES IN SCHEMA dbo FROM PUBLIC, ${SIGNIN_ROLE};

GRANT CONNECT ON DATABASE ${DATABASE} TO ${SIGNIN_ROLE}, ${WORK_ROLE};
GRANT USAGE ON SCHEMA dbo TO ${SIGNIN_ROLE}, ${WORK_ROLE};

GRANT EXECUTE ON FUNCTION dbo.get_user(text, text, text, text, text, text, text, text, text)
    TO ${SIGNIN_ROLE};

GRANT SELECT, INSERT, UPDATE, DELETE ON
    dbo.vakansii, dbo.otdel_1, dbo.faculty, dbo.vuz, dbo.kafedra, dbo.post, dbo.enter, dbo.deduce,
    dbo.structure, dbo.bk, dbo.working, dbo.stavka, dbo.teacher, dbo.t_fio, dbo.vuzdefaults,
    dbo.oklad, dbo.kod_podrazd
    TO ${WORK_ROLE};
-- The form's requisites are one row that is only ever changed.
GRANT SELECT, UPDATE ON dbo.rekvizity TO ${WORK_ROLE};
-- The audit log is only ever appended to.
GRANT INSERT ON dbo.zeb_log TO ${WORK_ROLE};
GRANT USAGE ON SEQUENCE
    dbo.vakansii_id_vakansiya_seq, dbo.otdel_1_id_otdel_1_seq, dbo.faculty_id_faculty_seq,
    dbo.kafedra_id_kafedra_seq, dbo.post_id_post_seq, dbo.working_id_working_seq,
    dbo.stavka_id_stavka_seq, dbo.teacher_id_teacher_seq, dbo.t_fio_id_t_fio_seq,
    dbo.zeb_log_id_zeb_log_seq, dbo.oklad_id_oklad_seq
    TO ${WORK_ROLE};
GRANT EXECUTE ON PROCEDURE dbo.copykafedraonkafedra(integer, integer, text, text) TO ${WORK_ROLE};

-- The group dbo.get_user puts the persons' logins in.
INSERT INTO dbo.zeb_work_role (id, role_name)
VALUES (1, lower('${WORK_ROLE}'))
ON CONFLICT (id) DO UPDATE SET role_name = excluded.role_name;
