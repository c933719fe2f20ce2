#!/usr/bin/env bash
# Measures the peak memory of kivalter on the listings of generated pages:
# --report, and the window (offscreen) up to the moment it listens for the
# main program, which is after the analysis; and the refusal of a work file
# larger than the main program ever hands over, which is never read.
#   bash bench/kivalter-memory.sh [BUILD_DIR] [PAGE_MB ...]   (default: build 11 66)
# Pages of 11 and 66 MB give listings of some 17 and 104 MB.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
shift || true
pages=("$@")
[ ${#pages[@]} -gt 0 ] || pages=(11 66)
kivalter="$build_dir/bin/kivalter"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The programs keep their settings, data and links here, never in the user's own.
mkdir -m 700 "$work/home"
for variable in XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_RUNTIME_DIR; do
  export "$variable=$work/home"
done
export QT_QPA_PLATFORM=offscreen

report() {
  local label=$1 listing=$2 status=0
  /usr/bin/time -v "$kivalter" --report "$listing" > /dev/null 2> "$work/time" || status=$?
  printf '%-34s exit %d  peak RSS %8d KiB  %s\n' "$label" "$status" \
    "$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")" \
    "$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time")"
}

# The window stays up; it is ended once its link appears.
window() {
  local label=$1 listing=$2
  rm -f "$work/home"/kivalter-*
  /usr/bin/time -v "$kivalter" "$listing" title > /dev/null 2> "$work/time" &
  local timer=$!
  until compgen -G "$work/home/kivalter-*" > /dev/null; do sleep 0.2; done
  kill -TERM "$(pgrep -P "$timer")" || true
  wait "$timer" || true
  printf '%-34s peak RSS %8d KiB\n' "$label" "$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")"
}

for page_mb in "${pages[@]}"; do
  page=$(bash bench/generated-page.sh "$page_mb")
  listing="$work/listing$page_mb.htm"
  "$build_dir/bin/vorelind-cli" indent "$page" > "$listing"
  echo "page $page_mb MB: listing $(stat -c %s "$listing") bytes, $(grep -c $'\r$' "$listing") lines"
  report "  --report" "$listing"
  window "  window" "$listing"
done

machine=$(( $(getconf _PHYS_PAGES) * $(getconf PAGESIZE) ))
bound=$(( machine / 8 < 16448 * 1048576 ? machine / 8 : 16448 * 1048576 ))
truncate -s $(( bound + 1 )) "$work/huge.htm"
report "a work file of $(( (bound + 1) >> 20 )) MiB, refused" "$work/huge.htm"
