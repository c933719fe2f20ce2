#!/usr/bin/env bash
# Times `vorelind-cli unmatched -r` over a folder of pages against running
# `tidy -q -e` on each of its files (when tidy is installed), and prints
# how many times faster the folder run is.
#
# Usage: bench/site-check-speed.sh FOLDER
set -euo pipefail
cd "$(dirname "$0")/.."

seconds() { local start=$(date +%s.%N); "$@" >/dev/null 2>&1 || true; echo "$(date +%s.%N) - $start" | bc; }
ours=$(seconds build/bin/vorelind-cli unmatched -r "$1")
echo "vorelind-cli unmatched -r: ${ours} s"
if command -v tidy >/dev/null; then
    theirs=$(seconds bash -c 'find "$1" -type f -name "*.htm*" -exec tidy -q -e {} \;' _ "$1")
    echo "tidy -q -e on each file: ${theirs} s ($(echo "scale=1; $theirs / $ours" | bc) times as long)"
fi
