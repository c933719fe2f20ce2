#!/usr/bin/env bash
# Times `vorelind-cli indent` against two common HTML formatters on the same
# generated page, and reports each one's peak memory.
#
# Usage: bench/compare-formatters.sh [SIZE_MB]   (default 10)
# Needs: a build in build/, and the Debian packages hyperfine, tidy,
# libxml2-utils and time.
set -euo pipefail
cd "$(dirname "$0")/.."

page=$(bash bench/generated-page.sh "${1:-10}")
page_bytes=$(stat -c %s "$page")
timing=$(mktemp)
trap 'rm -f "$timing"' EXIT
echo "Page: $page ($page_bytes bytes)"

commands=(
  "build/bin/vorelind-cli indent $page"
  "tidy -indent -quiet $page"
  "xmllint --html --format $page"
)

# tidy exits 1 on warnings, which every real page gives it.
hyperfine --warmup 1 --runs 3 --ignore-failure --output=null "${commands[@]}"

echo
echo "Peak memory:"
for command in "${commands[@]}"; do
  # shellcheck disable=SC2086 # the command is split into its words on purpose
  /usr/bin/time -f '%M' -o "$timing" $command >/dev/null 2>&1 || true
  kilobytes=$(tail -n 1 "$timing")
  printf '  %-50s %8s KiB  (%s x file size)\n' "$command" "$kilobytes" \
    "$(awk -v k="$kilobytes" -v b="$page_bytes" 'BEGIN { printf "%.2f", k * 1024 / b }')"
done
