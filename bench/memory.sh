#!/usr/bin/env bash
# Measures the peak memory of vorelind-cli on a nesting bomb and on a large
# page, to check the listing budget and the source size limit.
#   bash bench/memory.sh [BUILD_DIR] [PAGE_MIB]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
page_mib=${2:-200}
cli="$build_dir/bin/vorelind-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 300 KB of unclosed <a>: every tag one level deeper than the one before.
printf '<a>%.0s' $(seq 100000) > "$work/bomb.html"

# A page of ordinary entries; with BR and IMG excluded its nesting stays flat.
entry=$'<div class="entry" id="e1">\r\n<h2><a href="/item/1">\x8c\xa9\x8f\x6f\x82\xb5</a></h2>\r\n'
entry+=$'<p>\x96\x7b\x95\xb6 text of the entry, long enough to look real.<br>more text<img src="a.png" alt="x"></p>\r\n'
entry+=$'<ul><li>one</li><li>two</li></ul>\r\n<table><tr><td>1</td><td>2</td></tr></table>\r\n<!-- note -->\r\n'
entry+=$'<script>if (a<b) { x(); }\r\n</script>\r\n<pre>code\r\n  more</pre>\r\n</div>'
{
    printf '<html><head><title>t</title></head><body>\r\n'
    yes "$entry" | head -c $((page_mib * 1024 * 1024)) || true
    printf '</body></html>\r\n'
} > "$work/page.html"
printf 'BR\r\nIMG\r\n' > "$work/exclude.trm"
# A file over the source size limit, refused before it is read.
printf '<' > "$work/huge.html"
truncate -s 300M "$work/huge.html"

measure() {
    local label=$1
    shift
    local status=0
    /usr/bin/time -v "$cli" "$@" > "$work/out" 2> "$work/time" || status=$?
    printf '%-34s exit %d  peak RSS %8d KiB  %s s  output %d bytes\n' "$label" "$status" \
        "$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")" \
        "$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time")" \
        "$(stat -c %s "$work/out")"
}

echo "bomb: $(stat -c %s "$work/bomb.html") bytes; page: $(stat -c %s "$work/page.html") bytes"
measure "indent bomb" indent "$work/bomb.html"
measure "indent page, BR IMG excluded" indent --exclude "$work/exclude.trm" "$work/page.html"
measure "tree page, BR IMG excluded" tree --exclude "$work/exclude.trm" "$work/page.html"
measure "export page, BR IMG excluded" export --exclude "$work/exclude.trm" "$work/page.html"
measure "indent page, nothing excluded" indent "$work/page.html"
measure "indent 300 MiB file" indent "$work/huge.html"
