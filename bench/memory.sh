#!/usr/bin/env bash
# Measures the peak memory of vorelind-cli on a nesting bomb, on a large page,
# and on the same page with unclosed <br>, to check the listing budget and the
# source size limit.
#   bash bench/memory.sh [BUILD_DIR] [PAGE_MB]   (default: build 200)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
page_mb=${2:-200}
cli="$build_dir/bin/vorelind-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p bench/data
page=bench/data/page${page_mb}.html
[ -f "$page" ] || python3 bench/generate_page.py "$page_mb" "$page"

# 300 KB of unclosed <a>: every tag one level deeper than the one before.
printf '<a>%.0s' $(seq 100000) > "$work/bomb.html"
# Every <br> left unclosed nests all that follows one level deeper.
sed 's#<br/>#<br>#g' "$page" > "$work/unclosed.html"
printf 'BR\r\n' > "$work/exclude.trm"
# A file over the source size limit, refused before it is read.
printf '<' > "$work/huge.html"
truncate -s 300M "$work/huge.html"

measure() {
    local label=$1
    shift
    local status=0
    /usr/bin/time -v "$cli" "$@" > "$work/out" 2> "$work/time" || status=$?
    printf '%-36s exit %d  peak RSS %8d KiB  %s s  output %d bytes\n' "$label" "$status" \
        "$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")" \
        "$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time")" \
        "$(stat -c %s "$work/out")"
}

echo "bomb: $(stat -c %s "$work/bomb.html") bytes; page: $(stat -c %s "$page") bytes"
measure "indent bomb" indent "$work/bomb.html"
measure "indent page" indent "$page"
measure "tree page" tree "$page"
measure "export page" export "$page"
measure "indent page with unclosed <br>" indent "$work/unclosed.html"
measure "indent it with BR excluded" indent --exclude "$work/exclude.trm" "$work/unclosed.html"
measure "indent 300 MiB file" indent "$work/huge.html"
