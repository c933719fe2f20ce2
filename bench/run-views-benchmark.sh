#!/usr/bin/env bash
# Times the views on the pages that froze or killed them: a page that is one
# line of LINE_MB megabytes in the main window, and the tag tree LEVELS deep;
# then the editable source text on pages of 1 to 8 MB and lines of 16 to
# 256 KB, which shows where the source view turns to its rows.
#
# Usage: bench/run-views-benchmark.sh [LINE_MB] [LEVELS]   (default 16 70000)
# Needs: a build in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
QT_QPA_PLATFORM=offscreen build/bench/bench_views "${1:-16}" "${2:-70000}"
