#!/usr/bin/env bash
# The per-user install rules, staged under WORK_DIR:
#   tests/installcheck.sh BUILD_DIR WORK_DIR
# Installs twice into a prefix with a blank and a "%" in it: the first
# install ships the starting "ignore.trm", the second keeps the user's list,
# and the desktop entry opens pages with the program at that prefix.
set -uo pipefail
build=$1
work=$2
stage=$work/stage
prefix='/opt/vorelind 100%'
list=$stage$prefix/ignore.trm
failures=0

fail() {
  echo "FAIL: $1"
  failures=$((failures + 1))
}

install_staged() {
  DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 \
    || { cat "$work/install.log"; fail "cmake --install"; }
}

rm -rf "$stage"
mkdir -p "$work"
install_staged
[ -f "$list" ] || fail "a fresh install holds no starting ignore.trm"

printf 'B\r\n' >"$list"
install_staged
cmp -s "$list" <(printf 'B\r\n') || fail "a second install replaced the user's ignore.trm"

entry=$(find "$stage" -name vorelind.desktop)
grep -qxF 'Exec="/opt/vorelind 100%%/vorelind" %f' "$entry" \
  || fail "the desktop entry's Exec: $(grep '^Exec=' "$entry")"
grep -qxF 'MimeType=text/html;application/xhtml+xml;' "$entry" || fail "the desktop entry names no page types"

[ "$failures" -eq 0 ] && echo "PASS"
exit $((failures > 0))
