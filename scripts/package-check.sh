#!/usr/bin/env bash
# Builds the Debian package in the build folder test.sh left (cpack reuses its objects), checks it with
# lintian, installs it with dpkg, checks the installed programs, documents and desktop files, makes a demo
# workstation installation whose settings go to /etc/zeb7, queries it and signs the installed client in
# under Xvfb, then removes the package and checks that none of its files is left behind.
# Run as root on a Debian 12 machine (or with sudo); installs the Debian packages it needs. Bounded in time:
# ZEB_PACKAGE_CHECK_SECONDS (default 900). ZEB_XVFB_DISPLAY picks the X display (default: the first free
# from :90). The screenshot of the signed-in client is left in build/package-check/.
set -euo pipefail

if [ -z "${ZEB_PACKAGE_CHECK_BOUNDED:-}" ]; then
  export ZEB_PACKAGE_CHECK_BOUNDED=1
  exec timeout --kill-after=30 "${ZEB_PACKAGE_CHECK_SECONDS:-900}" "$0" "$@"
fi
cd "$(dirname "$0")/.."

sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
step() { printf '\n== %s\n' "$*"; }
fail() { echo "package check: $*" >&2; exit 1; }

step "Debian packages the check needs"
needed=(cmake dpkg-dev lintian desktop-file-utils appstream man-db xvfb x11-utils xdotool imagemagick)
missing=()
for p in "${needed[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null || {
    $sudo apt-get update -qq
    $sudo apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null
  }
fi

# A demo of this run goes away with it; an existing workstation installation is never touched.
[ -e /etc/zeb7 ] || [ -e /var/lib/zeb7 ] &&
  fail "/etc/zeb7 or /var/lib/zeb7 exists: this machine has a workstation installation, which the check would overwrite"
out=build/package-check
rm -rf "$out"
mkdir -p "$out"
client_pid=""
xvfb_pid=""
installed=""
cleanup() {
  if [ -n "$client_pid" ]; then kill "$client_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  if [ -n "$installed" ]; then $sudo dpkg -r zeb7 >/dev/null 2>&1 || true; fi
  $sudo rm -rf /etc/zeb7 /var/lib/zeb7
}
trap cleanup EXIT

step "Package from the build folder"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" >/dev/null
(cd build && cpack -G DEB) >"$out/cpack.log" || { cat "$out/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls build/zeb7_*.deb)
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

step "lintian"
# Root runs lintian with a warning about it; the tags are what counts.
if ! lintian --fail-on error --display-info "$deb" >"$out/lintian.txt" 2>"$out/lintian.err"; then
  cat "$out/lintian.txt" "$out/lintian.err" >&2
  fail "lintian reports errors"
fi
cat "$out/lintian.txt"
echo "lintian: $(grep -c '^E:' "$out/lintian.txt" || true) errors, $(grep -c '^W:' "$out/lintian.txt" || true) warnings," \
  "$(grep -c '^I:' "$out/lintian.txt" || true) infos"

step "Install with dpkg"
export DEBIAN_FRONTEND=noninteractive
installed=yes
if ! $sudo dpkg -i "$deb"; then
  $sudo apt-get -f install -y --no-install-recommends
fi
[ "$(dpkg-query -W -f='${Status}' zeb7)" = "install ok installed" ] || fail "zeb7 is not installed"
dpkg-query -L zeb7 | sort >"$out/files.txt"

step "Installed programs and documents"
for program in zeb7 zeb7-admin; do
  [ "$(command -v "$program")" = "/usr/bin/$program" ] || fail "$program is not in /usr/bin"
done
zeb7-admin --version
zeb7 --version
zeb7 --help | head -n 1
[ "$(man -w zeb7-admin)" = /usr/share/man/man8/zeb7-admin.8.gz ] || fail "man -w zeb7-admin: $(man -w zeb7-admin)"
[ "$(man -w zeb7)" = /usr/share/man/man1/zeb7.1.gz ] || fail "man -w zeb7: $(man -w zeb7)"
man -w zeb7-admin
desktop=/usr/share/applications/local.zeb7.schedule.desktop
desktop-file-validate "$desktop"
appstreamcli validate --no-net /usr/share/metainfo/local.zeb7.schedule.metainfo.xml
for icon in scalable/apps/zeb7.svg 256x256/apps/zeb7.png 48x48/apps/zeb7.png; do
  [ -f "/usr/share/icons/hicolor/$icon" ] || fail "icon $icon missing"
done
[ -f /usr/share/zeb7/server/pg/procedures.sql ] || fail "server scripts missing"
getent group zeb7 >/dev/null || fail "the package made no group zeb7"

step "Demo workstation installation: settings in /etc/zeb7"
$sudo zeb7-admin init --system --engine sqlite --demo
[ "$(stat -c '%U:%G %a' /etc/zeb7/ZEB)" = "root:zeb7 640" ] || fail "/etc/zeb7/ZEB: $(stat -c '%U:%G %a' /etc/zeb7/ZEB)"
[ "$(stat -c '%U:%G %a' /var/lib/zeb7)" = "root:zeb7 2770" ] || fail "/var/lib/zeb7: $(stat -c '%U:%G %a' /var/lib/zeb7)"
$sudo runuser -u nobody -- cat /etc/zeb7/ZEB >/dev/null 2>&1 && fail "a user outside the group zeb7 reads the settings"
lines=$(echo kadry123 | $sudo zeb7-admin query /etc/zeb7 --login kadry "SELECT COUNT(*) AS n FROM Vakansii" | tr -d '\r' | tail -n 1)
[ "$lines" -gt 0 ] 2>/dev/null || fail "query through /etc/zeb7 answered «$lines»"
echo "schedule lines in the demo: $lines"

step "The installed client signs in under Xvfb"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "$(command -v "$exec_line")" = /usr/bin/zeb7 ] || fail "the menu entry starts «$exec_line», not /usr/bin/zeb7"
display=${ZEB_XVFB_DISPLAY:-}
if [ -z "$display" ]; then
  display=90
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
fi
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start on $DISPLAY"
/usr/bin/zeb7 >"$out/client.log" 2>&1 &
client_pid=$!
signin=$(timeout 60 xdotool search --sync --onlyvisible --name '^Аутентификация$' | head -n 1) ||
  fail "no sign-in dialog within a minute"
xdotool windowfocus --sync "$signin"
xdotool type --delay 40 kadry
xdotool key Tab
xdotool type --delay 40 kadry123
xdotool key Return
main=$(timeout 60 xdotool search --sync --onlyvisible --name '^ZEB 7 Штатное расписание$' | head -n 1) ||
  fail "no main window within a minute of the sign-in"
sleep 1
import -window root "$out/main-window.png"
echo "main window $main shown; screenshot $out/main-window.png"
kill "$client_pid"
wait "$client_pid" 2>/dev/null || true
client_pid=""

step "Remove with dpkg"
$sudo dpkg -r zeb7
installed=""
left=()
while read -r path; do
  [ -f "$path" ] || [ -L "$path" ] && left+=("$path")
done <"$out/files.txt"
[ ${#left[@]} -eq 0 ] || fail "left behind: ${left[*]}"
echo "no file of the package is left"
echo "package check passed"
