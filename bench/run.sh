#!/usr/bin/env bash
# Builds and runs the benchmarks against the embedded engine and a private PostgreSQL cluster.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j"$(nproc)" --target bench_schedule_open bench_schedule_sort bench_schedule_numbering \
  bench_schedule_grid bench_report bench_report_xlsx bench_startup
# Each open alone in a fresh process whose freed memory goes back to the system, as a user meets it.
for open in BM_OpenSqlite/10000 BM_OpenSqlite/100000 BM_OpenPostgres/10000 BM_OpenPostgres/100000; do
  MALLOC_TRIM_THRESHOLD_=0 scripts/with-test-postgres.sh build-bench/bench/bench_schedule_open \
    --benchmark_filter="^$open/" "$@"
done
build-bench/bench/bench_schedule_sort "$@"
scripts/with-test-postgres.sh build-bench/bench/bench_schedule_numbering "$@"
scripts/with-test-postgres.sh build-bench/bench/bench_schedule_grid "$@"
scripts/with-test-postgres.sh build-bench/bench/bench_report "$@"
build-bench/bench/bench_report_xlsx "$@"
build-bench/bench/bench_startup "$@"
