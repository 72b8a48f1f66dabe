#!/usr/bin/env bash
# Builds the client and the administration tool, prepares a demo installation on the embedded database in
# ./demo and starts the client. Remove ./demo to start again from the demo data.
set -euo pipefail
cd "$(dirname "$0")"

cat <<'USERS'
Demo users (login / password):
  admin    / admin123   kadry   / kadry123
  sidorov  / sidorov1   (password expires soon: a change is proposed)
  petrova  / petrova1   (password expired: a change is demanded)
  novikova / novikova1  (must change the password)
  blocked  / blocked1   (locked by the administrator)
USERS

scripts/install-packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Only what the demo runs: the tests and benchmarks are test.sh's business.
cmake --build build -j"$(nproc)" --target zeb7 zeb7-admin

if [ ! -f demo/Data/ZEB ]; then
  build/tools/zeb7-admin init demo --engine sqlite --demo
fi

# A client of an earlier run may still be running from demo/zeb7: its file cannot be overwritten in place
# ("Text file busy"), but a new file can take its name.
installing="$(mktemp demo/.zeb7.XXXXXX)"
trap 'rm -f "$installing"' EXIT
cp build/app/zeb7 "$installing"
chmod 755 "$installing"
mv -f "$installing" demo/zeb7
trap - EXIT

echo "The demo installation is in ./demo (settings demo/Data/ZEB, database demo/Data/zeb.db)."
exec demo/zeb7
