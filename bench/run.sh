#!/usr/bin/env bash
# Builds and runs the benchmarks against the embedded engine and a private PostgreSQL cluster.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j"$(nproc)" --target bench_schedule_open bench_startup
scripts/with-test-postgres.sh build-bench/bench/bench_schedule_open "$@"
build-bench/bench/bench_startup "$@"
