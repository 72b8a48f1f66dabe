#!/usr/bin/env bash
# Builds and runs the benchmarks against the embedded engine and a private PostgreSQL cluster.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j"$(nproc)" --target bench_schedule_open bench_schedule_numbering bench_schedule_grid \
  bench_startup
scripts/with-test-postgres.sh build-bench/bench/bench_schedule_open "$@"
scripts/with-test-postgres.sh build-bench/bench/bench_schedule_numbering "$@"
scripts/with-test-postgres.sh build-bench/bench/bench_schedule_grid "$@"
build-bench/bench/bench_startup "$@"
