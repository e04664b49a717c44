#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Kursomatik with its tests and runs every test headless.
#   ./test.sh             the ordinary build (build/test)
#   ./test.sh --sanitize  the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

build=build/test
options=()
case "${1:-}" in
    "") ;;
    --sanitize)
        build=build/sanitize
        options=(-DKURSOMATIK_SANITIZE=ON)
        # Leak checking stays on for the core; Qt's font and platform caches live as long as the process.
        export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
        export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp
        ;;
    *)
        echo "usage: $0 [--sanitize]" >&2
        exit 2
        ;;
esac

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKURSOMATIK_TESTS=ON "${options[@]}"
cmake --build "$build" -j "$(nproc)"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
