#!/usr/bin/env bash
# Prints the precision and recall of `vorelind-cli unmatched` on COUNT
# generated pages with planted faults (bench/generate_planted_pages.py),
# scored against the pages' truth file.
#
# Usage: bench/balance-quality.sh [COUNT]   (default 200)
set -euo pipefail
cd "$(dirname "$0")/.."

cli=build/bin/vorelind-cli
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

python3 bench/generate_planted_pages.py "${1:-200}" "$folder/pages"
status=0
"$cli" unmatched -r "$folder/pages" >"$folder/found.tsv" || status=$?
# 1 means findings were written; anything else is a failure.
[ "$status" -le 1 ] || exit "$status"
python3 bench/score_findings.py "$folder/pages/truth.tsv" "$folder/found.tsv"
