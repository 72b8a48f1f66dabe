#!/usr/bin/env bash
# Runs a command with a private PostgreSQL cluster on a free 127.0.0.1 port, then stops the cluster.
# The command sees ZEB_TEST_PG_HOST, ZEB_TEST_PG_PORT, ZEB_TEST_PG_ADMIN_USER and ZEB_TEST_PG_ADMIN_PASSWORD.
# The cluster stops by itself after ZEB_TEST_PG_MINUTES (default 80) even if this script is killed.
set -euo pipefail

pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -x "$pgbin/initdb" ] || { echo "PostgreSQL server binaries not found (install postgresql-15)" >&2; exit 1; }

# Owner-only: the socket in this folder admits local connections without a password.
dir=$(mktemp -d /tmp/zeb-pg.XXXXXX)
chmod 700 "$dir"
[ "$(stat -c %a "$dir")" = 700 ] || { echo "cannot make $dir owner-only" >&2; exit 1; }
as_pg() {
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
[ "$(id -u)" = 0 ] && chown postgres: "$dir"

port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
port=$((20000 + RANDOM % 20000))
while ! port_free "$port"; do port=$((port + 1)); done

password="zeb-test-$RANDOM$RANDOM"
(umask 077 && printf '%s\n' "$password" > "$dir/pwfile")
[ "$(id -u)" = 0 ] && chown postgres: "$dir/pwfile"
as_pg "$pgbin/initdb" -D "$dir/data" -U postgres --pwfile="$dir/pwfile" \
  --auth-local=trust --auth-host=scram-sha-256 -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 \
  || { cat "$dir/initdb.log" >&2; exit 1; }
# TLS on, as Debian's server has it: the clients insist on it by default. A self-signed key of this run.
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 3 -subj /CN=127.0.0.1 \
  -keyout "$dir/server.key" -out "$dir/server.crt" >"$dir/openssl.log" 2>&1 \
  || { cat "$dir/openssl.log" >&2; exit 1; }
chmod 600 "$dir/server.key"
[ "$(id -u)" = 0 ] && chown postgres: "$dir/server.key" "$dir/server.crt"
as_pg "$pgbin/pg_ctl" -D "$dir/data" -l "$dir/log" -w \
  -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200 \
      -c ssl=on -c ssl_cert_file=$dir/server.crt -c ssl_key_file=$dir/server.key" start >/dev/null

stop_cluster() {
  as_pg "$pgbin/pg_ctl" -D "$dir/data" -m fast stop >/dev/null 2>&1 || true
  rm -rf "$dir"
}
trap stop_cluster EXIT

minutes=${ZEB_TEST_PG_MINUTES:-80}
(
  exec >/dev/null 2>&1 </dev/null
  sleep $((minutes * 60)) &
  sleeper=$!
  trap 'kill $sleeper; exit 0' TERM
  wait $sleeper && as_pg "$pgbin/pg_ctl" -D "$dir/data" -m immediate stop
) &
watchdog=$!

export ZEB_TEST_PG_HOST=127.0.0.1 ZEB_TEST_PG_PORT=$port
export ZEB_TEST_PG_ADMIN_USER=postgres ZEB_TEST_PG_ADMIN_PASSWORD=$password
status=0
"$@" || status=$?
kill "$watchdog" 2>/dev/null || true
exit $status
