#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKURSOMATIK_SANITIZE=ON
cmake --build build/sanitize -j "$(nproc)"
cd build/sanitize
# Leak checking stays on for the core; Qt's font and platform caches live as long as the process.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/../../scripts/lsan.supp
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
