#!/usr/bin/env bash
# Runs a Windows program under Wine without a display or questions:
#   scripts/wine.sh PREFIX PROGRAM.exe [ARGUMENTS...]
# PREFIX is the Wine folder to use, made on first use; the user's own is
# never touched. Standard streams and the exit status are the program's.
# The program runs as on a Japanese Windows: its ANSI code page is 932.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEARCH=win64
# No dialogs offering Mono or Gecko, and no window for the first set-up.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
wine=/usr/lib/wine/wine64
mkdir -p "$prefix"
# Set in the program's environment only: bash would warn of a locale it lacks.
japanese=(env LC_ALL=ja_JP.UTF-8)
# Wine spells file names in the locale's character set, so a Japanese name
# needs the locale itself; where the system lacks it, the prefix holds it.
if ! locale -a 2>"$prefix/locale-list.log" | grep -qix 'ja_JP.utf-\?8'; then
  japanese+=(LOCPATH="$prefix/locale")
  if [ ! -d "$prefix/locale/ja_JP.UTF-8" ]; then
    mkdir -p "$prefix/locale"
    localedef -i ja_JP -f UTF-8 "$prefix/locale/ja_JP.UTF-8" >"$prefix/localedef.log" 2>&1 || true
  fi
fi
if [ ! -f "$prefix/system.reg" ]; then
  "${japanese[@]}" "$wine" wineboot -i >"$prefix/wineboot.log" 2>&1 || true
fi
exec "${japanese[@]}" "$wine" "$@"
