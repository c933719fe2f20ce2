#!/usr/bin/env bash
# Generates the benchmark pages and runs the engine benchmarks on them.
#
# Usage: bench/run-benchmarks.sh [SIZE_MB ...]   (default: 10 50)
set -euo pipefail
cd "$(dirname "$0")/.."

sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(10 50)
for size in "${sizes[@]}"; do
  page=$(bash bench/generated-page.sh "$size")
  echo "== $page"
  VORELIND_BENCH_PAGE=$page build/bench/bench_engine
done
