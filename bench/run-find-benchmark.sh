#!/usr/bin/env bash
# Times find in the window on a generated page of SIZE_MB megabytes (some
# 35,000 tree nodes a megabyte): the keystroke that completes the query,
# find-next and find-previous, in the expanded tree, the listing and the
# source.
#
# Usage: bench/run-find-benchmark.sh [SIZE_MB] [QUERY] [STEPS]   (default 10 nesting 50)
# Needs: a build in build/ and python3.
set -euo pipefail
cd "$(dirname "$0")/.."
page=$(bash bench/generated-page.sh "${1:-10}")
QT_QPA_PLATFORM=offscreen build/bench/bench_find "$page" "${2:-nesting}" "${3:-50}"
