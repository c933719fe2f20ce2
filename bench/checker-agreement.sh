#!/usr/bin/env bash
# Runs `vorelind-cli unmatched -r` and an HTML conformance checker over the
# same folder of pages and prints how far they agree on balance errors
# (bench/checker_agreement.py). Not part of any test: it needs the checker's
# jar (VNU_JAR, e.g. from the npm package vnu-jar) and a Java runtime. Give
# it pages read by HTML's rules; XML pages are judged strictly by the check
# and as HTML by the checker.
#
# Usage: VNU_JAR=/path/to/vnu.jar bench/checker-agreement.sh FOLDER
set -euo pipefail
cd "$(dirname "$0")/.."

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
status=0
build/bin/vorelind-cli unmatched -r --rules html "$1" >"$folder/found.tsv" || status=$?
[ "$status" -le 1 ] || exit "$status"
java -jar "$VNU_JAR" --format json --errors-only --skip-non-html "$1" 2>"$folder/checker.json" || true
python3 bench/checker_agreement.py "$folder/found.tsv" "$folder/checker.json" | tail -n 1
