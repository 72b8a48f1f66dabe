-- The history of the schedule lines, as server/sqlite/history.sql keeps it: one row per insert, update or
-- delete of a dbo.vakansii row with the line's values before (old_*) and after (new_*) it, the session's
-- login and the server's time. Written only by dbo.vakansii_history_write, which runs as the owner of the
-- schema; the schedule's group may read it. The installer replaces ${SIGNIN_ROLE} and ${WORK_ROLE} and
-- runs this after accounts.sql as the owner of the schema, at installation and at every accounts repair,
-- so an older installation gets it too.

CREATE TABLE IF NOT EXISTS dbo.vakansii_history (
    id_history bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    id_vakansiya integer NOT NULL,
    change_kind char(1) NOT NULL CHECK (change_kind IN ('I', 'U', 'D')),
    changed timestamp(3) NOT NULL,
    db_login varchar(63) NOT NULL,
    zeb_user varchar(20),
    old_id_otdel_1 integer,
    new_id_otdel_1 integer,
    old_id_otdel_11 integer,
    new_id_otdel_11 integer,
    old_id_faculty integer,
    new_id_faculty integer,
    old_id_kafedra integer,
    new_id_kafedra integer,
    old_id_post integer,
    new_id_post integer,
    old_q_units double precision,
    new_q_units double precision,
    old_razrad numeric(18, 0),
    new_razrad numeric(18, 0),
    old_num integer,
    new_num integer,
    old_id_otdel_2 integer,
    new_id_otdel_2 integer,
    old_id_enter smallint,
    new_id_enter smallint,
    old_e_n_p varchar(30),
    new_e_n_p varchar(30),
    old_e_d_p timestamp(3),
    new_e_d_p timestamp(3),
    old_id_deduce smallint,
    new_id_deduce smallint,
    old_d_n_p varchar(30),
    new_d_n_p varchar(30),
    old_d_d_p timestamp(3),
    new_d_d_p timestamp(3),
    old_id_structure integer,
    new_id_structure integer,
    old_id_bk integer,
    new_id_bk integer,
    old_hourfond double precision,
    new_hourfond double precision,
    old_descr text,
    new_descr text
);

CREATE INDEX IF NOT EXISTS vakansii_history_line_idx ON dbo.vakansii_history (id_vakansiya, id_history);
CREATE INDEX IF NOT EXISTS vakansii_history_changed_idx ON dbo.vakansii_history (changed);

-- The stamps zeb_user and zeb_update are who saved, not what, and num is the line's place in its list,
-- which the program renumbers: an update that changes nothing else leaves no row (the update trigger's
-- columns and condition), and an update of them alone runs no trigger at all.
CREATE OR REPLACE FUNCTION dbo.vakansii_history_write()
RETURNS trigger
LANGUAGE plpgsql
SECURITY DEFINER
SET search_path = dbo, pg_temp
SET TimeZone FROM CURRENT
AS $$
BEGIN
    IF TG_OP = 'INSERT' THEN
        INSERT INTO vakansii_history (id_vakansiya, change_kind, changed, db_login, zeb_user,
            new_id_otdel_1, new_id_otdel_11, new_id_faculty, new_id_kafedra, new_id_post,
            new_q_units, new_razrad, new_num, new_id_otdel_2, new_id_enter, new_e_n_p, new_e_d_p,
            new_id_deduce, new_d_n_p, new_d_d_p, new_id_structure, new_id_bk, new_hourfond, new_descr)
        VALUES (NEW.id_vakansiya, 'I', clock_timestamp(), session_user, NEW.zeb_user,
            NEW.id_otdel_1, NEW.id_otdel_11, NEW.id_faculty, NEW.id_kafedra, NEW.id_post,
            NEW.q_units, NEW.razrad, NEW.num, NEW.id_otdel_2, NEW.id_enter, NEW.e_n_p, NEW.e_d_p,
            NEW.id_deduce, NEW.d_n_p, NEW.d_d_p, NEW.id_structure, NEW.id_bk, NEW.hourfond, NEW.descr);
    ELSIF TG_OP = 'UPDATE' THEN
        INSERT INTO vakansii_history (id_vakansiya, change_kind, changed, db_login, zeb_user,
            old_id_otdel_1, old_id_otdel_11, old_id_faculty, old_id_kafedra, old_id_post,
            old_q_units, old_razrad, old_num, old_id_otdel_2, old_id_enter, old_e_n_p, old_e_d_p,
            old_id_deduce, old_d_n_p, old_d_d_p, old_id_structure, old_id_bk, old_hourfond, old_descr,
            new_id_otdel_1, new_id_otdel_11, new_id_faculty, new_id_kafedra, new_id_post, new_q_units,
            new_razrad, new_num, new_id_otdel_2, new_id_enter, new_e_n_p, new_e_d_p, new_id_deduce, new_d_n_p,
            new_d_d_p, new_id_structure, new_id_bk, new_hourfond, new_descr)
        VALUES (NEW.id_vakansiya, 'U', clock_timestamp(), session_user, NEW.zeb_user,
            OLD.id_otdel_1, OLD.id_otdel_11, OLD.id_faculty, OLD.id_kafedra, OLD.id_post,
            OLD.q_units, OLD.razrad, OLD.num, OLD.id_otdel_2, OLD.id_enter, OLD.e_n_p, OLD.e_d_p,
            OLD.id_deduce, OLD.d_n_p, OLD.d_d_p, OLD.id_structure, OLD.id_bk, OLD.hourfond, OLD.descr,
            NEW.id_otdel_1, NEW.id_otdel_11, NEW.id_faculty, NEW.id_kafedra, NEW.id_post, NEW.q_units,
            NEW.razrad, NEW.num, NEW.id_otdel_2, NEW.id_enter, NEW.e_n_p, NEW.e_d_p, NEW.id_deduce, NEW.d_n_p,
            NEW.d_d_p, NEW.id_structure, NEW.id_bk, NEW.hourfond, NEW.descr);
    ELSE
        INSERT INTO vakansii_history (id_vakansiya, change_kind, changed, db_login, zeb_user,
            old_id_otdel_1, old_id_otdel_11, old_id_faculty, old_id_kafedra, old_id_post,
            old_q_units, old_razrad, old_num, old_id_otdel_2, old_id_enter, old_e_n_p, old_e_d_p,
            old_id_deduce, old_d_n_p, old_d_d_p, old_id_structure, old_id_bk, old_hourfond, old_descr)
        VALUES (OLD.id_vakansiya, 'D', clock_timestamp(), session_user, OLD.zeb_user,
            OLD.id_otdel_1, OLD.id_otdel_11, OLD.id_faculty, OLD.id_kafedra, OLD.id_post,
            OLD.q_units, OLD.razrad, OLD.num, OLD.id_otdel_2, OLD.id_enter, OLD.e_n_p, OLD.e_d_p,
            OLD.id_deduce, OLD.d_n_p, OLD.d_d_p, OLD.id_structure, OLD.id_bk, OLD.hourfond, OLD.descr);
    END IF;
    RETURN NULL;
END;
$$;

DROP TRIGGER IF EXISTS vakansii_history_insert ON dbo.vakansii;
CREATE TRIGGER vakansii_history_insert AFTER INSERT ON dbo.vakansii
    FOR EACH ROW EXECUTE FUNCTION dbo.vakansii_history_write();
DROP TRIGGER IF EXISTS vakansii_history_update ON dbo.vakansii;
CREATE TRIGGER vakansii_history_update AFTER UPDATE OF
        id_vakansiya, id_otdel_1, id_otdel_11, id_faculty, id_kafedra, id_post, q_units, razrad,
        id_otdel_2, id_enter, e_n_p, e_d_p, id_deduce, d_n_p, d_d_p, id_structure, id_bk, hourfond,
        descr
    ON dbo.vakansii
    FOR EACH ROW
    WHEN (
        (OLD.id_vakansiya, OLD.id_otdel_1, OLD.id_otdel_11, OLD.id_faculty, OLD.id_kafedra,
        OLD.id_post, OLD.q_units, OLD.razrad, OLD.id_otdel_2, OLD.id_enter, OLD.e_n_p, OLD.e_d_p,
        OLD.id_deduce, OLD.d_n_p, OLD.d_d_p, OLD.id_structure, OLD.id_bk, OLD.hourfond, OLD.descr)
        IS DISTINCT FROM
        (NEW.id_vakansiya, NEW.id_otdel_1, NEW.id_otdel_11, NEW.id_faculty, NEW.id_kafedra,
        NEW.id_post, NEW.q_units, NEW.razrad, NEW.id_otdel_2, NEW.id_enter, NEW.e_n_p, NEW.e_d_p,
        NEW.id_deduce, NEW.d_n_p, NEW.d_d_p, NEW.id_structure, NEW.id_bk, NEW.hourfond, NEW.descr))
    EXECUTE FUNCTION dbo.vakansii_history_write();
DROP TRIGGER IF EXISTS vakansii_history_delete ON dbo.vakansii;
CREATE TRIGGER vakansii_history_delete AFTER DELETE ON dbo.vakansii
    FOR EACH ROW EXECUTE FUNCTION dbo.vakansii_history_write();

-- Read by the people who edit the schedule, written by nobody but the function above.
REVOKE ALL ON dbo.vakansii_history FROM PUBLIC, ${SIGNIN_ROLE}, ${WORK_ROLE};
REVOKE ALL ON FUNCTION dbo.vakansii_history_write() FROM PUBLIC;
GRANT SELECT ON dbo.vakansii_history TO ${WORK_ROLE};
