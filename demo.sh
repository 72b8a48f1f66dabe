#!/usr/bin/env bash
# Builds the client, prepares a demo installation on the embedded database in ./demo and starts it.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"

if [ ! -f demo/Data/ZEB ]; then
  build/tools/zeb7-admin init demo --engine sqlite --demo
fi

cat <<'USERS'
Demo users (login / password):
  admin    / admin123   kadry   / kadry123
  sidorov  / sidorov1   (password expires soon: a change is proposed)
  petrova  / petrova1   (password expired: a change is demanded)
  novikova / novikova1  (must change the password)
  blocked  / blocked1   (locked by the administrator)
USERS

if [ -x build/app/zeb7 ]; then
  cp build/app/zeb7 demo/zeb7
  exec demo/zeb7
fi
echo "The demo installation is ready in ./demo (settings demo/Data/ZEB, database demo/Data/zeb.db)."
echo "The client program is not built yet; try: build/tools/zeb7-admin query demo --login kadry --password kadry123 \"select * from post\""
