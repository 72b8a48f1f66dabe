#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when they are missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc qt6-translations-l10n
  libsqlite3-dev libpq-dev unixodbc unixodbc-dev tdsodbc zlib1g-dev
  postgresql-15 openssl libbenchmark-dev libxlsxwriter-dev
  xvfb xdotool imagemagick fonts-liberation fonts-dejavu-core poppler-utils
  unzip zip libreoffice-calc-nogui
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null 2>&1 || {
  $sudo apt-get update -qq
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}
