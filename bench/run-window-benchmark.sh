#!/usr/bin/env bash
# Times the main window from the double-click to the standing tree on a
# generated page (run log on), against `vorelind-cli indent --run-log` on
# the same page; then expand all and collapse all on that tree, and the
# window's peak memory against the page size.
#
# Usage: bench/run-window-benchmark.sh [SIZE_MB]   (default 10)
# Needs: a build in build/ and the Debian package time.
set -euo pipefail
cd "$(dirname "$0")/.."

page=$(bash bench/generated-page.sh "${1:-10}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The programs keep their settings here, never in the user's own.
export XDG_CONFIG_HOME="$work/settings"

echo "== vorelind-cli indent --run-log $page"
/usr/bin/time -f "wall %e s, processor %U s user + %S s system, peak %M KiB" \
  build/bin/vorelind-cli indent --run-log "$work/runlog.log" "$page" > /dev/null

echo "== vorelind window, offscreen"
QT_QPA_PLATFORM=offscreen build/bench/bench_window "$page"
