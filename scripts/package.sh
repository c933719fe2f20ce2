#!/usr/bin/env bash
# Builds the Debian package vorelind_<version>-1_amd64.deb in build-package/
# with Debian's hardening flags, and checks it with lintian.
# Install it with: apt-get install ./build-package/vorelind_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh help2man lintian

# Fortified calls, stack protector, read-only relocations bound at start.
# No -g: the packaged programs are stripped.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
launcher=()
if [ -n "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ]; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER="$CMAKE_CXX_COMPILER_LAUNCHER")
elif command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# The changelog and the manual pages are dated by the last commit.
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && git rev-parse --git-dir >/dev/null 2>&1; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  export SOURCE_DATE_EPOCH
fi

bash scripts/build.sh build-package -DCMAKE_INSTALL_PREFIX=/usr -DVORELIND_PACKAGE=ON \
    -DVORELIND_BUILD_TESTS=OFF -DVORELIND_BUILD_BENCH=OFF "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
rm -f build-package/vorelind_*.deb
(cd build-package && cpack -G DEB)
package=$(ls build-package/vorelind_*.deb)
lintian --info --fail-on error,warning "$package"
echo "$package"
