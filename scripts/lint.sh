#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# clang-format (the checked-in .clang-format), clang-tidy (.clang-tidy) and cppcheck over the sources.
# Exits non-zero when any of them reports a finding.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}" libgtest-dev clang-format clang-tidy cppcheck

status=0
# Every C++ file of the tree, tests and tools included, as clang-format would write it.
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror || status=1

cmake -S . -B build/lint -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DKURSOMATIK_TESTS=OFF >/dev/null
cmake --build build/lint -j "$(nproc)" >/dev/null  # the generated moc and resource sources
sources=$(git ls-files '*.cpp' | grep -vE '^(tests|fuzz|bench|tools)/')
run-clang-tidy-14 -quiet -p build/lint $sources 2>/dev/null | grep -E 'warning:|error:' && status=1
cppcheck --quiet --enable=warning,performance,portability --std=c++20 --inline-suppr \
    --suppress=missingIncludeSystem --error-exitcode=1 \
    -I . \
    $sources || status=1
exit $status
