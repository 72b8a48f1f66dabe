-- Accounts of one installation. The installer replaces ${DATABASE}, ${SIGNIN_ROLE}, ${SIGNIN_PASSWORD},
-- ${WORK_ROLE} and ${WORK_PASSWORD} (role names plain identifiers, passwords alphanumeric) and runs this
-- as the owner of the schema, connected to the database ${DATABASE}.
-- ${SIGNIN_ROLE} (the account of the connection settings file) may only run dbo.get_user;
-- ${WORK_ROLE} (handed out by dbo.get_user) works on the schedule and never sees the sign-in tables.

DO $$
BEGIN
    IF EXISTS (SELECT 1 FROM pg_roles WHERE rolname = lower('${SIGNIN_ROLE}')) THEN
        ALTER ROLE ${SIGNIN_ROLE} LOGIN PASSWORD '${SIGNIN_PASSWORD}';
    ELSE
        CREATE ROLE ${SIGNIN_ROLE} LOGIN PASSWORD '${SIGNIN_PASSWORD}';
    END IF;
    IF EXISTS (SELECT 1 FROM pg_roles WHERE rolname = lower('${WORK_ROLE}')) THEN
        ALTER ROLE ${WORK_ROLE} LOGIN PASSWORD '${WORK_PASSWORD}';
    ELSE
        CREATE ROLE ${WORK_ROLE} LOGIN PASSWORD '${WORK_PASSWORD}';
    END IF;
END;
$$;

REVOKE ALL ON DATABASE ${DATABASE} FROM PUBLIC;
REVOKE ALL ON SCHEMA public FROM PUBLIC;
REVOKE ALL ON SCHEMA dbo FROM PUBLIC;
REVOKE ALL ON ALL TABLES IN SCHEMA dbo FROM PUBLIC;
REVOKE ALL ON ALL SEQUENCES IN SCHEMA dbo FROM PUBLIC;
REVOKE ALL ON ALL ROUTINES IN SCHEMA dbo FROM PUBLIC;

GRANT CONNECT ON DATABASE ${DATABASE} TO ${SIGNIN_ROLE}, ${WORK_ROLE};
GRANT USAGE ON SCHEMA dbo TO ${SIGNIN_ROLE}, ${WORK_ROLE};

GRANT EXECUTE ON FUNCTION dbo.get_user(text, text, text, text, text, text, text, text, text)
    TO ${SIGNIN_ROLE};

GRANT SELECT, INSERT, UPDATE, DELETE ON
    dbo.vakansii, dbo.otdel_1, dbo.faculty, dbo.vuz, dbo.kafedra, dbo.post, dbo.enter, dbo.deduce,
    dbo.structure, dbo.bk, dbo.working, dbo.stavka, dbo.teacher, dbo.t_fio, dbo.vuzdefaults
    TO ${WORK_ROLE};
-- The audit log is only ever appended to.
GRANT INSERT ON dbo.zeb_log TO ${WORK_ROLE};
GRANT USAGE ON SEQUENCE
    dbo.vakansii_id_vakansiya_seq, dbo.otdel_1_id_otdel_1_seq, dbo.faculty_id_faculty_seq,
    dbo.kafedra_id_kafedra_seq, dbo.post_id_post_seq, dbo.working_id_working_seq,
    dbo.stavka_id_stavka_seq, dbo.teacher_id_teacher_seq, dbo.t_fio_id_t_fio_seq,
    dbo.zeb_log_id_zeb_log_seq
    TO ${WORK_ROLE};
GRANT EXECUTE ON PROCEDURE dbo.copykafedraonkafedra(integer, integer, text, text) TO ${WORK_ROLE};

-- What get_user hands out, every byte minus one as the client expects it.
INSERT INTO dbo.zeb_session_account (id, db_user, db_password)
SELECT 1,
       (SELECT string_agg(chr(ascii(substr(c.name, i, 1)) - 1), '' ORDER BY i)
        FROM generate_series(1, length(c.name)) AS i),
       (SELECT string_agg(chr(ascii(substr(c.password, i, 1)) - 1), '' ORDER BY i)
        FROM generate_series(1, length(c.password)) AS i)
FROM (VALUES (lower('${WORK_ROLE}'), '${WORK_PASSWORD}')) AS c (name, password)
ON CONFLICT (id) DO UPDATE SET db_user = excluded.db_user, db_password = excluded.db_password;
