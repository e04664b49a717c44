#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark once, as briefly as it allows, so that a change which breaks one shows (nothing
# else runs them): a crash or a benchmark that reports an error fails, the figures do not count. Built into the test build, whose
# objects they share; the start-up pair runs once under Xvfb.
#   scripts/bench-smoke.sh   (after ./test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" libbenchmark-dev xvfb

build=build/test
cmake -S . -B "$build" -DKURSOMATIK_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
for benchmark in "$build"/bin/bench_*; do
    case "$benchmark" in *_probe) continue ;; esac
    echo "== ${benchmark##*/}"
    report=$(QT_QPA_PLATFORM=offscreen "$benchmark" --benchmark_min_time=0 --benchmark_format=json)
    if grep -q '"error_occurred": true' <<<"$report"; then
        grep '"error_message"' <<<"$report" >&2
        exit 1
    fi
done
echo "== bench/startup.sh"
bench/startup.sh "$build" 1 >/dev/null
