#!/usr/bin/env bash
# Builds and runs the benchmarks against the embedded engine and a private PostgreSQL cluster, as the client
# runs: with the allocator's own settings. A user opens, sorts or numbers a unit once in a process, so each
# figure is a median with its spread over fresh processes (BENCH_PROCESSES of them, 9 unless told).
# Arguments are passed to every benchmark program (e.g. --benchmark_filter=Sqlite).
set -euo pipefail
cd "$(dirname "$0")/.."
processes=${BENCH_PROCESSES:-9}
unset MALLOC_TRIM_THRESHOLD_ MALLOC_TOP_PAD_ MALLOC_MMAP_THRESHOLD_ MALLOC_ARENA_MAX
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j"$(nproc)" --target bench_fresh_runs bench_schedule_open bench_schedule_sort \
  bench_schedule_numbering bench_schedule_grid bench_report bench_report_files bench_vacancies bench_changes bench_startup

fresh() {
  local program=$1
  shift
  scripts/with-test-postgres.sh build-bench/bench/bench_fresh_runs "$processes" "build-bench/bench/$program" "$@"
}

for open in BM_OpenSqlite/10000 BM_OpenSqlite/100000 BM_OpenPostgres/10000 BM_OpenPostgres/100000; do
  fresh bench_schedule_open --benchmark_filter="^$open/" "$@"
done
fresh bench_schedule_sort "$@"
fresh bench_schedule_numbering "$@"
fresh bench_schedule_grid "$@"
fresh bench_report "$@"
fresh bench_report_files "$@"
fresh bench_vacancies "$@"
fresh bench_changes "$@"
fresh bench_startup "$@"
