#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when missing,
# and those named as arguments.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-translations-l10n libgl-dev libicu-dev libbenchmark-dev
  fonts-dejavu-core fonts-ipafont-gothic fonts-ipafont-mincho
  xvfb xauth
  time python3
  clang-14 libclang-rt-14-dev llvm-14
  g++-mingw-w64-x86-64 wine64 wine locales libc-l10n
  dpkg-dev
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The window shows the system's error texts in Japanese through this locale.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; then
  echo "Generating the locale ja_JP.UTF-8"
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  locale-gen >/dev/null
fi
