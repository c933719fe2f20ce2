#!/usr/bin/env bash
# Builds the Debian package vorelind_<version>_amd64.deb in build-package/.
# Install it with: apt-get install ./build-package/vorelind_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build-package -DCMAKE_INSTALL_PREFIX=/usr -DVORELIND_PACKAGE=ON \
    -DVORELIND_BUILD_TESTS=OFF -DVORELIND_BUILD_BENCH=OFF
(cd build-package && cpack -G DEB)
ls build-package/vorelind_*.deb
