#!/usr/bin/env bash
# Builds the project and runs every test; PostgreSQL tests run against a private cluster started here.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
scripts/with-test-postgres.sh ctest --test-dir build --output-on-failure -j"$(nproc)"
