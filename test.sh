#!/usr/bin/env bash
# Builds Kursomatik with its tests and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKURSOMATIK_TESTS=ON
cmake --build build/test -j "$(nproc)"
cd build/test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
