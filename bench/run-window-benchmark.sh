#!/usr/bin/env bash
# The window against the command-line tool, on pages of unclosed <p>, <li>
# and <br> whose listing is some six times the page: for each size,
# `vorelind-cli indent --run-log` and the window from the double-click to
# the standing tree (conversion and run log on), each run RUNS times. Prints
# every run; the medians and the least (the run that other work disturbed
# least) of wall and processor (user + system) time, and the window's time
# as a multiple of the tool's; and the window's peak memory up to the tree
# against the page; and the median of each run's window / tool. On a machine
# shared with other work the processor times are the steadier figures, and
# the pairs' ratios steadier still: each window runs right after its tool,
# while the machine's speed, which drifts from second to second, has changed
# least. Each run starts with the other runs' run logs, a gigabyte or so
# each, deleted and written out, so that no run pays for another's; the
# window's own folders, run log and all, are made in this script's folder,
# so that a window that fails leaves none of them behind.
#
# Usage: [RUNS=5] bench/run-window-benchmark.sh [SIZE_MB ...]   (default: 10 50)
# Needs: a build in build/ and python3.
set -euo pipefail
cd "$(dirname "$0")/.."

sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(10 50)
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The programs keep their settings here, never in the user's own.
export XDG_CONFIG_HOME="$work/settings"
TIMEFORMAT='%3R %3U %3S'
mkdir -p bench/data

median() {
  sort -n | awk '{ value[NR] = $1 } END { print value[int((NR + 1) / 2)] }'
}

least() {
  sort -n | head -n 1
}

ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'
}

# One run of the tool: its wall and processor time in ms, printed and
# appended to the file named.
runTool() {
  rm -f "$work/runlog.log"
  sync
  # bash's own timer, to the millisecond: at 10 MB the tool takes some
  # 100 ms, and a timer of 10 ms steps would move the ratio by 0.1.
  { time build/bin/vorelind-cli indent --run-log "$work/runlog.log" "$page" > /dev/null 2>&1; } 2> "$work/time"
  read -r wall user system < "$work/time"
  awk -v w="$wall" -v u="$user" -v s="$system" 'BEGIN { printf "%d %d\n", w * 1000 + 0.5, (u + s) * 1000 + 0.5 }' \
    | tee -a "$1" | awk '{ printf "  vorelind-cli indent --run-log: %5d ms wall, %5d ms processor\n", $1, $2 }'
  rm -f "$work/runlog.log"
  sync
}

# One run of the window: wall and processor time, peak and peak per page
# byte, printed and appended to the file named.
runWindow() {
  TMPDIR="$work" QT_QPA_PLATFORM=offscreen build/bench/bench_window "$page" 2> /dev/null > "$work/out"
  awk '/^double-click to tree:/ { wall = $4; processor = $7 + 0 }
       /^peak memory to the tree:/ { peak = $6; times = substr($8, 2) }
       END { print wall, processor, peak, times }' "$work/out" \
    | tee -a "$1" \
    | awk '{ printf "  window, double-click to tree:  %5d ms wall, %5d ms processor, peak %s MiB (%s x the page)\n", $1, $2, $3, $4 }'
}

for size in "${sizes[@]}"; do
  page=bench/data/unclosed$size.html
  [ -f "$page" ] || python3 bench/generate_unclosed_page.py "$size" "$page"
  echo "== $page, $(stat -c %s "$page") bytes; $runs runs each"
  # A first run of each, not counted, reads the programs and the page into memory.
  runTool /dev/null > /dev/null
  runWindow /dev/null > /dev/null
  : > "$work/cli"
  : > "$work/window"
  for _ in $(seq "$runs"); do
    runTool "$work/cli"
    runWindow "$work/window"
  done
  for statistic in median least; do
    cliWall=$(cut -d' ' -f1 "$work/cli" | $statistic)
    cliProcessor=$(cut -d' ' -f2 "$work/cli" | $statistic)
    windowWall=$(cut -d' ' -f1 "$work/window" | $statistic)
    windowProcessor=$(cut -d' ' -f2 "$work/window" | $statistic)
    echo "  $statistic: tool $cliWall ms wall, $cliProcessor ms processor;" \
      "window $windowWall ms wall, $windowProcessor ms processor"
    echo "    window / tool: $(ratio "$windowWall" "$cliWall") wall," \
      "$(ratio "$windowProcessor" "$cliProcessor") processor (target at most 1.5)"
  done
  pairs=$(paste -d' ' "$work/window" "$work/cli")
  pairWall=$(awk '{ printf "%.3f\n", $1 / $5 }' <<< "$pairs" | median)
  pairProcessor=$(awk '{ printf "%.3f\n", $2 / $6 }' <<< "$pairs" | median)
  echo "  median of the runs' window / tool: $(printf %.2f "$pairWall") wall," \
    "$(printf %.2f "$pairProcessor") processor (target at most 1.5)"
  echo "  window's peak to the tree: $(cut -d' ' -f4 "$work/window" | median) x the page (target at most 12)"
done
