#!/usr/bin/env bash
# Prints the path of the generated benchmark page of SIZE_MB megabytes,
# bench/data/pageSIZE_MB.html, generating it first when it is missing.
#
# Usage: bench/generated-page.sh SIZE_MB
set -euo pipefail
cd "$(dirname "$0")/.."

page=bench/data/page$1.html
mkdir -p bench/data
[ -f "$page" ] || python3 bench/generate_page.py "$1" "$page"
echo "$page"
