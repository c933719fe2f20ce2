#!/usr/bin/env bash
# The Windows build checked against the Linux one:
#   tests/windows/check.sh SOURCE_DIR LINUX_BIN_DIR WORK_DIR
# Cross-builds vorelind-cli.exe with MinGW-w64 in WORK_DIR, runs it under
# Wine on every test page and text with every command, and compares its
# output and exit status byte for byte with the Linux vorelind-cli's; reads
# the .exe's version record through the real version calls and through our
# PE reader; takes the settings through the real registry and back; and
# launches programs and opens a file through the real process and shell calls.
# Exits 77 (skipped) when MinGW-w64 or Wine is not installed.
set -uo pipefail
source_dir=$1
linux_cli=$2/vorelind-cli
work=$3

if [ -z "$(command -v x86_64-w64-mingw32-g++-posix)" ] || [ ! -x /usr/lib/wine/wine64 ]; then
  echo "SKIPPED: needs MinGW-w64 (g++-mingw-w64-x86-64) and Wine (wine64); scripts/install-deps.sh installs them"
  exit 77
fi

mkdir -p "$work"
launcher=()
[ -n "$(command -v ccache)" ] && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$source_dir" --preset mingw -B "$work/build" "${launcher[@]}" >"$work/configure.log" 2>&1 \
  && cmake --build "$work/build" >"$work/build.log" 2>&1 \
  || { cat "$work/configure.log" "$work/build.log"; echo "FAIL: the MinGW build"; exit 1; }

prefix=$work/wine
wine=("$source_dir/scripts/wine.sh" "$prefix")
exe=$work/build/bin/vorelind-cli.exe
# One Wine server for every run, instead of one started per program; it
# must be up before the first program starts one of its own.
mkdir -p "$prefix"
WINEPREFIX=$prefix /usr/lib/wine/wineserver -p
trap 'WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>"$work/wineserver.log"' EXIT

failures=0
compared=0
uncompared=0
out=$work/out
rm -rf "$out" && mkdir -p "$out"

# Runs one command line on both builds, in a folder of its own each, and
# compares standard output, the files written and the exit status. A code
# page that Wine lacks is noted, not failed: Windows has it.
compare() {
  local name=$1
  shift
  mkdir -p "$out/linux" "$out/windows"
  (cd "$out/linux" && "$linux_cli" "$@" >stdout 2>../linux-stderr; echo $? >status)
  (cd "$out/windows" && "${wine[@]}" "$exe" "$@" >stdout 2>../stderr; echo $? >status)
  local missing
  missing=$(grep -o 'No code page for [A-Z0-9-]*' "$out/stderr")
  rm -f "$out/stderr" "$out/linux-stderr"
  if [ -n "$missing" ]; then
    echo "NOT COMPARED: $name: Wine lacks the code page ($missing)"
    uncompared=$((uncompared + 1))
    rm -rf "$out/linux" "$out/windows"
    return
  fi
  compared=$((compared + 1))
  if ! diff -r -q "$out/linux" "$out/windows" >"$out/differences"; then
    failures=$((failures + 1))
    echo "FAIL: $name differs between Linux and Windows:"
    diff -r "$out/linux" "$out/windows" | head -5
  fi
  rm -rf "$out/linux" "$out/windows"
}

list=$work/exclude.trm
printf 'BR\r\nP\r\nLI\r\n' >"$list"
for input in "$source_dir"/fuzz/corpus/conversion/* "$source_dir"/fuzz/corpus/engine/*; do
  name=$(basename "$input")
  for command in check convert indent tree export unmatched; do
    compare "$command $name" "$command" "$input"
  done
  for command in indent tree export unmatched; do
    compare "$command --sjis $name" "$command" --sjis "$input"
  done
  compare "indent --exclude $name" indent --exclude "$list" "$input"
  compare "export -o $name" export --sjis -o written.htm "$input"
done
compare "check of a missing file" check "$work/no such file.htm"

# The version record: the real calls on Windows, our PE reader on Linux.
compare "version of vorelind-cli.exe" version "$exe"

# The settings through the real registry, in Shift-JIS as the program keeps them.
values=$work/values.txt
printf '*.htm;資料.txt\r\nC:\\作業\\ページ\r\n' | iconv -f UTF-8 -t CP932 >"$values"
read_back=$("${wine[@]}" "$work/build/bin/registryroundtrip.exe" vorelind-roundtrip "$values")
status=$?
stored=$("${wine[@]}" reg query 'HKCU\SOFTWARE\ZEMBRAKO\vorelind-roundtrip\HTMLTREESTRUCT' 2>"$work/reg.log" | tr -d '\r')
if [ $status -ne 0 ] || [ "$read_back" != "$(cat "$values"; printf '0\r')" ] \
   || ! grep -q 'MASK *REG_SZ' <<<"$stored" || ! grep -q 'NKF *REG_SZ *0$' <<<"$stored"; then
  failures=$((failures + 1))
  printf 'FAIL: the registry round trip read back:\n%s\nand the registry holds:\n%s\n' "$read_back" "$stored"
fi

# Process and shell launch through the real calls: a child under a name with
# a blank and Japanese characters, missing programs, a quit during the wait
# and a command file opened through the shell.
launch=$work/launch
rm -rf "$launch" && mkdir -p "$launch"
if ! (cd "$work" && "${wine[@]}" "$work/build/bin/launchcheck.exe" "Z:${launch//\//\\}"); then
  failures=$((failures + 1))
  echo "FAIL: the launch checks"
fi

echo "$compared runs compared ($uncompared not), registry round trip and launch checks done, $failures failed"
[ $failures -eq 0 ]
