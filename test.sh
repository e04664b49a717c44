#!/usr/bin/env bash
# Builds Kursomatik with its tests and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh
# appstream and groff-base check the metainfo file and the manual page.
need_packages "${BUILD_PACKAGES[@]}" libgtest-dev appstream groff-base

cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKURSOMATIK_TESTS=ON
cmake --build build/test -j "$(nproc)"
cd build/test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
