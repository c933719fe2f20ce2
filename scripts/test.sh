#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite; then builds
# it again with AddressSanitizer and UndefinedBehaviorSanitizer (clang, with
# the fuzz targets) in build-asan, runs it there, and runs every fuzz target
# for FUZZ_SECONDS (default 30) each.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure

CC=clang-14 CXX=clang++-14 bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORELIND_BUILD_FUZZ=ON -DVORELIND_BUILD_BENCH=OFF
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure
bash scripts/fuzz.sh build-asan "${FUZZ_SECONDS:-30}"
