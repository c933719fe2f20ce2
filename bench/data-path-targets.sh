#!/usr/bin/env bash
# Measures the document path on pages of unclosed <p>, <li> and <br>, whose
# listing is some six times the page: `vorelind-cli indent` side by side
# with `xmllint --html --format --huge`; `vorelind-cli indent --run-log`,
# also with an earlier build's vorelind-cli when OLD_CLI names one; and the
# window from the double-click to the standing tree (conversion and run log
# on). Each with its peak memory.
#
# Usage: [OLD_CLI=path] bench/data-path-targets.sh [SIZE_MB ...]   (default: 10 50)
# Needs: a build in build/, and the Debian packages hyperfine,
# libxml2-utils and time.
set -euo pipefail
cd "$(dirname "$0")/.."

sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(10 50)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Every program started here gets its own settings.
export XDG_CONFIG_HOME="$work/config"
mkdir -p bench/data

peak() {
  /usr/bin/time -f '%M' -o "$work/peak" "$@" > /dev/null 2>&1 || true
  printf '  %-60s peak %8s KiB (%s x the page)\n' "$*" "$(tail -n 1 "$work/peak")" \
    "$(awk -v k="$(tail -n 1 "$work/peak")" -v b="$page_bytes" 'BEGIN { printf "%.2f", k * 1024 / b }')"
}

for size in "${sizes[@]}"; do
  page=bench/data/unclosed$size.html
  [ -f "$page" ] || python3 bench/generate_unclosed_page.py "$size" "$page"
  page_bytes=$(stat -c %s "$page")
  echo "== $page: $page_bytes bytes, listing $(build/bin/vorelind-cli indent "$page" | wc -c) bytes"

  hyperfine --warmup 1 --runs 3 --output=null \
    "build/bin/vorelind-cli indent $page" "xmllint --html --format --huge $page"
  run_logs=("build/bin/vorelind-cli indent --run-log $work/runlog.log $page")
  [ -z "${OLD_CLI:-}" ] || run_logs+=("$OLD_CLI indent --run-log $work/runlog.log $page")
  hyperfine --warmup 1 --runs 3 --output=null --prepare "rm -f $work/runlog.log" "${run_logs[@]}"

  echo "Peak memory:"
  peak build/bin/vorelind-cli indent "$page"
  peak xmllint --html --format --huge "$page"
  peak build/bin/vorelind-cli indent --run-log "$work/runlog.log" "$page"

  echo "The window, offscreen:"
  TMPDIR="$work" QT_QPA_PLATFORM=offscreen build/bench/bench_window "$page" 2> /dev/null
done
