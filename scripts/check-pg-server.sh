#!/usr/bin/env bash
# Checks server/pg on a running PostgreSQL: loads schema, procedures and accounts into a scratch
# database with its own roles, then exercises get_user, the per-person logins, the account rights, the copy procedure and
# the refusals. Starts nothing itself; run it as
#   scripts/with-test-postgres.sh scripts/check-pg-server.sh
set -euo pipefail

: "${ZEB_TEST_PG_HOST:?not set}" "${ZEB_TEST_PG_PORT:?not set}"
: "${ZEB_TEST_PG_ADMIN_USER:?not set}" "${ZEB_TEST_PG_ADMIN_PASSWORD:?not set}"

root=$(cd "$(dirname "$0")/.." && pwd)
server="$root/server/pg"
export PGHOST=$ZEB_TEST_PG_HOST PGPORT=$ZEB_TEST_PG_PORT PGCLIENTENCODING=UTF8 PGCONNECT_TIMEOUT=10

db="zeb_check_$$"
signin="${db}_signin"
work="${db}_work"
signin_password="S${RANDOM}x${RANDOM}"
work_password="W${RANDOM}y${RANDOM}"

psql_as() { # user password database [psql options...]
  local user=$1 password=$2 database=$3
  shift 3
  PGPASSWORD=$password psql -X -q -At -v ON_ERROR_STOP=1 -U "$user" -d "$database" "$@"
}
admin() { psql_as "$ZEB_TEST_PG_ADMIN_USER" "$ZEB_TEST_PG_ADMIN_PASSWORD" "$db" -c "$1"; }
as_signin() { psql_as "$signin" "$signin_password" "$db" -c "$1"; }
as_work() { psql_as "$person" "$person_password" "$db" -c "$1"; }

cleanup() {
  psql_as "$ZEB_TEST_PG_ADMIN_USER" "$ZEB_TEST_PG_ADMIN_PASSWORD" postgres \
    -c "DROP DATABASE IF EXISTS $db WITH (FORCE)" >/dev/null 2>&1 || true
  # The person logins get_user made are named after the group.
  for role in $(psql_as "$ZEB_TEST_PG_ADMIN_USER" "$ZEB_TEST_PG_ADMIN_PASSWORD" postgres \
                  -c "SELECT rolname FROM pg_roles WHERE rolname LIKE '${work}\\_%'" 2>/dev/null); do
    psql_as "$ZEB_TEST_PG_ADMIN_USER" "$ZEB_TEST_PG_ADMIN_PASSWORD" postgres -c "DROP ROLE IF EXISTS $role" >/dev/null 2>&1 || true
  done
  psql_as "$ZEB_TEST_PG_ADMIN_USER" "$ZEB_TEST_PG_ADMIN_PASSWORD" postgres \
    -c "DROP ROLE IF EXISTS $signin, $work" >/dev/null 2>&1 || true
}
trap cleanup EXIT

failures=0
pass() { printf 'ok    %s\n' "$1"; }
fail() { printf 'FAIL  %s\n' "$1"; failures=$((failures + 1)); }

expect_eq() { # label expected actual
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: expected [$2], got [$3]"; fi
}

expect_refused() { # label pattern command...
  local label=$1 pattern=$2 out
  shift 2
  if out=$("$@" 2>&1); then
    fail "$label: succeeded with [$out]"
  elif grep -q -- "$pattern" <<<"$out"; then
    pass "$label"
  else
    fail "$label: error [$out] lacks [$pattern]"
  fi
}

digest() { printf '%s' "$1" | md5sum | cut -c1-32 | tr a-f A-F; }
scrambled() { # every byte minus one, as the client's Unscramble expects
  local text=$1 out="" i
  for ((i = 0; i < ${#text}; i++)); do
    out+=$(printf "\\$(printf '%03o' $(($(printf '%d' "'${text:i:1}") - 1)))")
  done
  printf '%s' "$out"
}
unscrambled() { # every byte plus one
  local text=$1 out="" i
  for ((i = 0; i < ${#text}; i++)); do
    out+=$(printf "\\$(printf '%03o' $(($(printf '%d' "'${text:i:1}") + 1)))")
  done
  printf '%s' "$out"
}

# get_user as the client calls it: login, digest, new digest (or NULL), computer.
get_user() {
  local new="NULL" length=4
  if [ "$3" != NULL ]; then new="'$3'"; length=34; fi
  admin "SELECT * FROM dbo.get_user('$1','$2',$new, 'ZEB 7', '10.0.0.7', '$4', '$1','0','$length')"
}
user_field() { admin "SELECT $2 FROM dbo.zeb_users WHERE login = '$1'"; }

refused_unknown="|||0|Неверное имя пользователя или пароль.|1|"
refused_locked="|||0|Учётная запись временно заблокирована после неудачных попыток входа. Повторите попытку через 15 минут.|1|"
refused_disabled="|||0|Учётная запись заблокирована. Обратитесь к администратору.|1|"
refused_same="|||0|Новый пароль должен отличаться от прежнего.|1|"

echo "== install into $db"
psql_as "$ZEB_TEST_PG_ADMIN_USER" "$ZEB_TEST_PG_ADMIN_PASSWORD" postgres \
  -c "CREATE DATABASE $db TEMPLATE template0 ENCODING 'UTF8' LOCALE 'C'"
psql_as "$ZEB_TEST_PG_ADMIN_USER" "$ZEB_TEST_PG_ADMIN_PASSWORD" "$db" -f "$server/schema.sql"
psql_as "$ZEB_TEST_PG_ADMIN_USER" "$ZEB_TEST_PG_ADMIN_PASSWORD" "$db" -f "$server/procedures.sql"
install_accounts() {
  sed -e "s/\${DATABASE}/$db/g" -e "s/\${SIGNIN_ROLE}/$signin/g" -e "s/\${SIGNIN_PASSWORD}/$signin_password/g" \
    -e "s/\${WORK_ROLE}/$work/g" -e "s/\${WORK_PASSWORD}/$work_password/g" "$server/accounts.sql" \
    | psql_as "$ZEB_TEST_PG_ADMIN_USER" "$ZEB_TEST_PG_ADMIN_PASSWORD" "$db" -f -
  sed -e "s/\${SIGNIN_ROLE}/$signin/g" -e "s/\${WORK_ROLE}/$work/g" "$server/history.sql" \
    | psql_as "$ZEB_TEST_PG_ADMIN_USER" "$ZEB_TEST_PG_ADMIN_PASSWORD" "$db" -f -
}
install_accounts
# A second run (reinstalling over existing roles) must succeed as well.
work_password="W${RANDOM}z${RANDOM}"
install_accounts

admin "
INSERT INTO dbo.enter VALUES (1, 'Ввести');
INSERT INTO dbo.deduce VALUES (1, 'Действует'), (2, 'Выведена');
INSERT INTO dbo.structure VALUES (5, 'ППС');
INSERT INTO dbo.bk VALUES (1, 'Бюджет');
INSERT INTO dbo.vuz VALUES (1, 'Университет');
INSERT INTO dbo.faculty (\"p23-1\", \"p23-2\", id_vuz) VALUES ('ФМФ', 'Физико-математический факультет', 1);
INSERT INTO dbo.kafedra (f1) VALUES ('Кафедра алгебры'), ('Кафедра геометрии'), ('Кафедра анализа');
INSERT INTO dbo.post (post) VALUES ('Профессор'), ('Доцент');
INSERT INTO dbo.otdel_1 (otdel_1) VALUES ('Ректорат');
INSERT INTO dbo.vuzdefaults VALUES (22, 'http://reports.example');
INSERT INTO dbo.zeb_users (login, pass_digest, full_name)
VALUES ('Иванов', '$(digest secret1)', 'Иванов Иван Иванович'),
       ('Petrov', '$(digest secret2)', 'Петров Пётр Петрович');"

expect_refused "logins differing only in case and trailing blanks" "duplicate key" \
  admin "INSERT INTO dbo.zeb_users (login, pass_digest) VALUES ('ИВАНОВ ', '$(digest x)')"

echo "== get_user"
expect_eq "the group cannot log in" "f" "$(admin "SELECT rolcanlogin FROM pg_roles WHERE rolname = '$work'")"
# Columns 0 and 1 name the person's own login with a fresh password: compare the rest.
answer() { get_user "$@" | cut -d'|' -f3-; }
accepted_ivanov="Иванов Иван Иванович|90||1|"
expect_eq "accepted, other case and trailing blanks" "$accepted_ivanov" \
  "$(answer 'иВАНОВ   ' "$(digest secret1)" NULL PC1)"
first=$(get_user 'PETROV' "$(digest secret2)" NULL PC1)
expect_eq "accepted, Latin login in upper case" "Петров Пётр Петрович|90||1|" "$(cut -d'|' -f3- <<<"$first")"
person=$(unscrambled "$(cut -d'|' -f1 <<<"$first")")
old_password=$(unscrambled "$(cut -d'|' -f2 <<<"$first")")
expect_eq "a login of the person's own, in the group" "true|true" \
  "$(admin "SELECT (rolname LIKE '${work}\\_%') || '|' || pg_has_role(rolname, '$work', 'MEMBER') FROM pg_roles WHERE rolname = '$person'" | tr -d ' ')"
again=$(get_user 'Petrov' "$(digest secret2)" NULL PC1)
person_password=$(unscrambled "$(cut -d'|' -f2 <<<"$again")")
expect_eq "the same login again" "$person" "$(unscrambled "$(cut -d'|' -f1 <<<"$again")")"
expect_eq "every desk gets the password the login is open with" "$old_password" "$person_password"
expect_eq "the login stays open for 12 hours" "t" \
  "$(admin "SELECT rolvaliduntil BETWEEN now() + interval '11 hours 59 minutes' AND now() + interval '12 hours' FROM pg_roles WHERE rolname = '$person'")"
admin "ALTER ROLE $person PASSWORD 'chosen1'"
changed=$(get_user 'Petrov' "$(digest secret2)" NULL PC1)
person_password=$(unscrambled "$(cut -d'|' -f2 <<<"$changed")")
expect_refused "a password changed on the server is replaced" "password authentication failed" \
  psql_as "$person" "chosen1" "$db" -c "SELECT 1"
expect_eq "the replaced password opens" "1" "$(psql_as "$person" "$person_password" "$db" -c "SELECT 1")"
long_login=$(printf 'P%.0s' {1..50})
admin "INSERT INTO dbo.zeb_users (login, pass_digest) VALUES ('$long_login', '$(digest secret3)')"
expect_eq "a typed login longer than 50 is not cut" "$refused_unknown" \
  "$(get_user "${long_login}X" "$(digest secret3)" NULL PC1)"
admin "INSERT INTO dbo.zeb_users (login, pass_digest) VALUES (E'Tab\\tName', '$(digest secret3)')"
expect_eq "a login with a control character, even one stored" "$refused_unknown" \
  "$(admin "SELECT * FROM dbo.get_user(E'Tab\\tName','$(digest secret3)',NULL, 'ZEB 7', '', 'PC1', 'x','0','4')")"
expect_eq "leading blank is part of the login" "$refused_unknown" "$(get_user ' Petrov' "$(digest secret2)" NULL PC1)"
expect_eq "unknown login" "$refused_unknown" "$(get_user 'Сидоров' "$(digest secret1)" NULL PC1)"
lower_digest=$(digest secret1 | tr A-F a-f)
expect_eq "digest compared exactly" "$refused_unknown" "$(get_user 'Иванов' "$lower_digest" NULL PC1)"
expect_eq "failure counted" 1 "$(user_field 'Иванов' failed_count)"
expect_eq "success resets the count" "$accepted_ivanov" "$(answer 'Иванов' "$(digest secret1)" NULL PC1)"
expect_eq "count back to 0" 0 "$(user_field 'Иванов' failed_count)"

for attempt in 1 2 3 4; do
  expect_eq "wrong password $attempt" "$refused_unknown" "$(get_user 'Иванов' "$(digest wrong)" NULL PC1)"
done
expect_eq "four failures kept" 4 "$(user_field 'Иванов' failed_count)"
expect_eq "fifth failure locks, telling a guess nothing" "$refused_unknown" "$(get_user 'Иванов' "$(digest wrong)" NULL PC1)"
expect_eq "lock: count back to 0, locked for 15 minutes" "0|true" \
  "$(user_field 'Иванов' "failed_count || '|' || (locked_until BETWEEN localtimestamp + interval '14 minutes' AND localtimestamp + interval '16 minutes')")"
expect_eq "locked account refuses the right password" "$refused_locked" "$(get_user 'Иванов' "$(digest secret1)" NULL PC1)"
expect_eq "locked account, told only to the right password" "$refused_unknown" "$(get_user 'Иванов' "$(digest wrong)" NULL PC1)"
expect_eq "caller's time zone does not move the lock" "$refused_locked" \
  "$(as_signin "SET TimeZone = 'Etc/GMT-14'; SELECT * FROM dbo.get_user('Иванов','$(digest secret1)',NULL, 'ZEB 7', '', 'PC1', 'Иванов','0','4')")"
admin "UPDATE dbo.zeb_users SET locked_until = localtimestamp - interval '1 minute' WHERE login = 'Иванов'"
expect_eq "expired lock lets in" "$accepted_ivanov" "$(answer 'Иванов' "$(digest secret1)" NULL PC1)"
expect_eq "lock cleared" "" "$(user_field 'Иванов' locked_until)"

admin "UPDATE dbo.zeb_users SET disabled = 1 WHERE login = 'Petrov'"
expect_eq "disabled" "$refused_disabled" "$(get_user 'Petrov' "$(digest secret2)" NULL PC1)"
expect_eq "disabled, told only to the right password" "$refused_unknown" "$(get_user 'Petrov' "$(digest wrong)" NULL PC1)"
admin "UPDATE dbo.zeb_users SET disabled = 0 WHERE login = 'Petrov'"

echo "== password change"
admin "UPDATE dbo.zeb_users SET failed_count = 3, pass_changed = localtimestamp - interval '50 days' WHERE login = 'Иванов'"
expect_eq "same new password refused" "$refused_same" \
  "$(get_user 'Иванов' "$(digest secret1)" "$(digest secret1)" PC1)"
expect_eq "refusal keeps the reset count" 0 "$(user_field 'Иванов' failed_count)"
admin "UPDATE dbo.zeb_users SET must_change = 1 WHERE login = 'Иванов'"
expect_eq "must change" "-1" "$(get_user 'Иванов' "$(digest secret1)" NULL PC1 | cut -d'|' -f4)"
expect_eq "password changed" "$accepted_ivanov" "$(answer 'Иванов' "$(digest secret1)" "$(digest newpass1)" PC1)"
expect_eq "new digest stored, must_change cleared" "$(digest newpass1)|0" \
  "$(user_field 'Иванов' "pass_digest || '|' || must_change")"
expect_eq "old password no longer accepted" "$refused_unknown" "$(get_user 'Иванов' "$(digest secret1)" NULL PC1)"
expect_eq "new password accepted" "$accepted_ivanov" "$(answer 'Иванов' "$(digest newpass1)" NULL PC1)"

admin "UPDATE dbo.zeb_users SET pass_changed = localtimestamp - interval '100 days 1 hour' WHERE login = 'Petrov'"
expect_eq "expired: days left negative" "-10" "$(get_user 'Petrov' "$(digest secret2)" NULL PC1 | cut -d'|' -f4)"
admin "UPDATE dbo.zeb_users SET pass_changed = localtimestamp - interval '85 days 23 hours' WHERE login = 'Petrov'"
expect_eq "whole days only" "5" "$(get_user 'Petrov' "$(digest secret2)" NULL PC1 | cut -d'|' -f4)"

echo "== update indicator"
expect_eq "new workstation takes the published build" "1|1" \
  "$(get_user 'Petrov' "$(digest secret2)" NULL PC2 | cut -d'|' -f6)|$(admin "SELECT build FROM dbo.zeb_workstations WHERE computer = 'PC2'")"
admin "UPDATE dbo.zeb_program SET build = 2"
expect_eq "older build must update" 2 "$(get_user 'Petrov' "$(digest secret2)" NULL PC2 | cut -d'|' -f6)"
expect_eq "workstation recorded as updated" "2|10.0.0.7|Petrov|true" \
  "$(admin "SELECT build || '|' || last_ip || '|' || last_login || '|' || (last_seen IS NOT NULL) FROM dbo.zeb_workstations WHERE computer = 'PC2'")"
expect_eq "no loop after the update" 1 "$(get_user 'Petrov' "$(digest secret2)" NULL PC2 | cut -d'|' -f6)"
expect_eq "refusal does not touch the workstation" "1|0" \
  "$(get_user 'Petrov' "$(digest wrong)" NULL PC3 | cut -d'|' -f6)|$(admin "SELECT count(*) FROM dbo.zeb_workstations WHERE computer = 'PC3'")"

echo "== sign-in account"
signed_in=$(as_signin "SELECT db_user, db_password FROM dbo.get_user('Petrov','$(digest secret2)',NULL, 'ZEB 7', '10.0.0.8', 'PC4', 'Petrov','0','4')")
expect_eq "signin runs get_user" "$person" "$(unscrambled "$(cut -d'|' -f1 <<<"$signed_in")")"
person_password=$(unscrambled "$(cut -d'|' -f2 <<<"$signed_in")")
expect_refused "signin cannot read vakansii" "permission denied" as_signin "SELECT * FROM dbo.vakansii"
expect_refused "signin cannot read zeb_users" "permission denied" as_signin "SELECT * FROM dbo.zeb_users"
expect_refused "signin cannot take the group's rights" "permission denied" as_signin "SET ROLE $work"
expect_refused "signin cannot copy" "permission denied" \
  as_signin "CALL dbo.copykafedraonkafedra(id_kafedrafrom => 1, id_kafedrato => 2, zeb_user => 'x', ip => 'y')"
expect_refused "signin cannot create in public" "permission denied" as_signin "CREATE TABLE public.x (a int)"
expect_refused "wrong password refused at connect" "password authentication failed" \
  psql_as "$signin" "nope" "$db" -c "SELECT 1"

echo "== work account"
faculty=$(admin "SELECT id_faculty FROM dbo.faculty")
read -r k1 k2 k3 < <(admin "SELECT string_agg(id_kafedra::text, ' ' ORDER BY id_kafedra) FROM dbo.kafedra")
placeholder=$(as_work "INSERT INTO dbo.vakansii (id_post, q_units) VALUES (1, 0) RETURNING id_vakansiya")
expect_eq "placeholder line gets id_deduce 1" 1 \
  "$(as_work "SELECT id_deduce FROM dbo.vakansii WHERE id_vakansiya = $placeholder")"
as_work "INSERT INTO dbo.vakansii (id_faculty, id_kafedra, id_post, q_units, razrad, num, id_enter, id_deduce, id_structure, id_bk, hourfond, descr, e_d_p)
         VALUES ($faculty, $k1, 1, 1.5, 12, 1, 1, 1, 5, 1, 120.5, 'Примечание', '2023-09-01'),
                ($faculty, $k1, 2, 0.5, 10, 2, 1, NULL, 5, 1, NULL, NULL, NULL),
                ($faculty, $k1, 2, 1, 9, 3, 1, 2, 5, 1, NULL, 'выведена', NULL)" >/dev/null
as_work "UPDATE dbo.vakansii SET num = 7 WHERE id_vakansiya = $placeholder" >/dev/null
expect_eq "work writes lines" 7 "$(as_work "SELECT num FROM dbo.vakansii WHERE id_vakansiya = $placeholder")"
as_work "INSERT INTO dbo.zeb_log (\"table\", row_id, descr, zeb_user, comp) VALUES ('kafedra', 9, 'удалена', 'Petrov', 'PC1\\10.0.0.7')" >/dev/null
expect_eq "work appends to the log, logged stamped" "1|true" \
  "$(admin "SELECT count(*) || '|' || bool_and(logged IS NOT NULL) FROM dbo.zeb_log")"
expect_refused "work cannot read the log" "permission denied" as_work "SELECT * FROM dbo.zeb_log"
expect_refused "work cannot read zeb_users" "permission denied" as_work "SELECT * FROM dbo.zeb_users"
expect_refused "work cannot read zeb_workstations" "permission denied" as_work "SELECT * FROM dbo.zeb_workstations"
expect_refused "work cannot run get_user" "permission denied" \
  as_work "SELECT * FROM dbo.get_user('Petrov','x',NULL,'ZEB 7','','','Petrov','0','4')"

as_work "CALL dbo.copykafedraonkafedra(id_kafedrafrom => $k1, id_kafedrato => $k2, zeb_user => 'Иванов', ip => 'PC1\\10.0.0.7')"
expect_eq "copy: lines not withdrawn, same columns, stamped" \
  "$faculty|$k2|1|1.5|12|1|1|1|5|1|120.5|Примечание|2023-09-01 00:00:00|Иванов|t
$faculty|$k2|2|0.5|10|2|1||5|1||||Иванов|t" \
  "$(as_work "SELECT concat_ws('|', id_faculty, id_kafedra, id_post, q_units, razrad, num, id_enter, coalesce(id_deduce::text, ''), id_structure, id_bk, coalesce(hourfond::text, ''), coalesce(descr, ''), coalesce(e_d_p::text, ''), zeb_user, zeb_update = current_date) FROM dbo.vakansii WHERE id_kafedra = $k2 ORDER BY id_vakansiya")"
expect_eq "copy: source untouched" 3 "$(as_work "SELECT count(*) FROM dbo.vakansii WHERE id_kafedra = $k1")"
expect_eq "copy: log row" "kafedra|$k2|Скопированы строки кафедры $k1 на кафедру $k2: 2|Иванов|PC1\\10.0.0.7" \
  "$(admin "SELECT concat_ws('|', \"table\", row_id, descr, zeb_user, comp) FROM dbo.zeb_log WHERE id_zeb_log = (SELECT max(id_zeb_log) FROM dbo.zeb_log)")"
expect_refused "copy: missing source" "Кафедра с кодом 999 не найдена." \
  as_work "CALL dbo.copykafedraonkafedra(id_kafedrafrom => 999, id_kafedrato => $k2, zeb_user => 'x', ip => 'y')"
expect_refused "copy: missing target" "Кафедра с кодом 0 не найдена." \
  as_work "CALL dbo.copykafedraonkafedra(id_kafedrafrom => $k1, id_kafedrato => 0, zeb_user => 'x', ip => 'y')"
long_login=$(printf 'L%.0s' {1..30})
as_work "CALL dbo.copykafedraonkafedra(id_kafedrafrom => $k1, id_kafedrato => $k3, zeb_user => '$long_login', ip => 'y')"
expect_eq "copy: login cut to 20 on the lines" "$(printf 'L%.0s' {1..20})" \
  "$(as_work "SELECT DISTINCT zeb_user FROM dbo.vakansii WHERE id_kafedra = $k3")"

echo "== refusals"
line=$(as_work "SELECT min(id_vakansiya) FROM dbo.vakansii WHERE id_kafedra = $k1")
as_work "INSERT INTO dbo.working (id_vakansiya, id_leave) VALUES ($line, 4)" >/dev/null
expect_refused "line with an employee cannot be deleted" 'violates foreign key constraint "working_id_vakansiya_fkey"' \
  as_work "DELETE FROM dbo.vakansii WHERE id_vakansiya = $line"
expect_refused "department with lines cannot be deleted" 'violates foreign key constraint "vakansii_id_kafedra_fkey"' \
  as_work "DELETE FROM dbo.kafedra WHERE id_kafedra = $k1"
expect_eq "free line can be deleted" "" "$(as_work "DELETE FROM dbo.vakansii WHERE id_vakansiya = $placeholder")"
expect_refused "tinyint range" "violates check constraint" \
  as_work "INSERT INTO dbo.vakansii (id_post, id_enter) VALUES (1, 256)"

echo
if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
