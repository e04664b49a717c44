#!/usr/bin/env bash
# clang-tidy (with the checked-in .clang-tidy) and cppcheck over the program's own sources.
# Exits non-zero when either reports a finding.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}" libgtest-dev clang-tidy cppcheck

cmake -S . -B build/lint -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DKURSOMATIK_TESTS=OFF >/dev/null
cmake --build build/lint -j "$(nproc)" >/dev/null  # the generated moc and resource sources
sources=$(git ls-files '*.cpp' | grep -vE '^(tests|fuzz|bench|tools)/')
status=0
run-clang-tidy-14 -quiet -p build/lint $sources 2>/dev/null | grep -E 'warning:|error:' && status=1
cppcheck --quiet --enable=warning,performance,portability --std=c++20 --inline-suppr \
    --suppress=missingIncludeSystem --error-exitcode=1 \
    -I . \
    $sources || status=1
exit $status
