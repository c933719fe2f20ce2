#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for the given number of seconds each,
# one after the other, and fails when any of them finds a fault.
#   bash scripts/fuzz.sh [BUILD_DIR] [SECONDS] [TARGET...]
# BUILD_DIR must be configured with -DVORELIND_BUILD_FUZZ=ON (scripts/test.sh
# makes one in build-asan). New inputs go to BUILD_DIR/fuzz-corpus/<name>,
# failing inputs to BUILD_DIR/fuzz-findings/<name>/.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-asan}
seconds=${2:-30}
shift $(( $# < 2 ? $# : 2 ))

if [ $# -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for binary in "$build_dir"/fuzz/fuzz_*; do
        targets+=("$(basename "$binary")")
    done
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

failed=()
for target in "${targets[@]}"; do
    name=${target#fuzz_}
    corpus="$build_dir/fuzz-corpus/$name"
    findings="$build_dir/fuzz-findings/$name"
    mkdir -p "$corpus" "$findings"
    log="$build_dir/fuzz-findings/$name.log"
    echo "== $target for $seconds s"
    status=0
    "$build_dir/fuzz/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/" \
        "$corpus" "fuzz/corpus/$name" > "$log" 2>&1 || status=$?
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$log" || true
    if [ $status -ne 0 ]; then
        tail -n 40 "$log"
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Faults found by: ${failed[*]} (inputs in $build_dir/fuzz-findings)"
    exit 1
fi
