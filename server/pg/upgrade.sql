-- Brings the tables of an installation made before the persons had logins of their own up to date;
-- on a current installation it changes nothing. Run as the owner of the schema before procedures.sql and
-- accounts.sql, in the same transaction, so that sign-in never meets a half-changed installation.

ALTER TABLE dbo.zeb_users ADD COLUMN IF NOT EXISTS role_number integer GENERATED ALWAYS AS IDENTITY;
ALTER TABLE dbo.zeb_users ADD COLUMN IF NOT EXISTS db_role varchar(63) UNIQUE;
ALTER TABLE dbo.zeb_program ADD COLUMN IF NOT EXISTS digest varchar(64);

CREATE TABLE IF NOT EXISTS dbo.zeb_work_role (
    id integer PRIMARY KEY CHECK (id = 1),
    role_name varchar(63) NOT NULL
);

-- The shared account every client used to be handed; accounts.sql shuts its login.
DROP TABLE IF EXISTS dbo.zeb_session_account;

-- Older sign-in functions answer without update_digest or update_build; a function's result cannot be
-- replaced in place.
DO $$
BEGIN
    IF EXISTS (SELECT 1
               FROM pg_proc p
               JOIN pg_namespace n ON n.oid = p.pronamespace
               WHERE n.nspname = 'dbo' AND p.proname = 'get_user'
                 AND NOT 'update_build' = ANY (p.proargnames)) THEN
        DROP FUNCTION dbo.get_user(text, text, text, text, text, text, text, text, text);
    END IF;
    IF EXISTS (SELECT 1
               FROM pg_proc p
               JOIN pg_namespace n ON n.oid = p.pronamespace
               WHERE n.nspname = 'dbo' AND p.proname = 'zeb_sign_in'
                 AND NOT 'update_build' = ANY (p.proargnames)) THEN
        DROP FUNCTION dbo.zeb_sign_in(text, text, text, text, text, text);
    END IF;
END;
$$;

-- The password a person's login is open with, handed to each of the person's desks while it stays open.
ALTER TABLE dbo.zeb_users ADD COLUMN IF NOT EXISTS db_password varchar(32);
ALTER TABLE dbo.zeb_users ADD COLUMN IF NOT EXISTS db_verifier text;

-- The audit log records each row's database login (procedures.sql makes the triggers that fill it). Rows
-- a client wrote ahead of the log's sequence would collide with the keys it hands out next (the sequence
-- is moved past them), and nobody but the owner changes or deletes a log row.
ALTER TABLE dbo.zeb_log ADD COLUMN IF NOT EXISTS db_login varchar(63) DEFAULT session_user;
CREATE INDEX IF NOT EXISTS zeb_log_row_id_idx ON dbo.zeb_log (row_id);
-- The run of rows right after the sequence's last value; dbo.zeb_log_stamp steps over any further ones.
SELECT setval(pg_get_serial_sequence('dbo.zeb_log', 'id_zeb_log'), min(l.id_zeb_log))
FROM dbo.zeb_log l
WHERE l.id_zeb_log >= (SELECT last_value FROM dbo.zeb_log_id_zeb_log_seq)
  AND NOT EXISTS (SELECT 1 FROM dbo.zeb_log n WHERE n.id_zeb_log = l.id_zeb_log::bigint + 1)
HAVING min(l.id_zeb_log) > (SELECT last_value FROM dbo.zeb_log_id_zeb_log_seq);
DO $$
DECLARE
    v_group text := (SELECT role_name FROM dbo.zeb_work_role WHERE id = 1);
BEGIN
    REVOKE UPDATE, DELETE, TRUNCATE ON dbo.zeb_log FROM PUBLIC;
    IF EXISTS (SELECT 1 FROM pg_roles WHERE rolname = v_group) THEN
        EXECUTE format('REVOKE UPDATE, DELETE, TRUNCATE ON dbo.zeb_log FROM %I', v_group);
    END IF;
END;
$$;
