#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and runs each for the given seconds (default 30).
# New inputs go to build/fuzz/corpus/, never into the checked-in seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
need_packages cmake make clang-14 libclang-rt-14-dev
seconds=${1:-30}

CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKURSOMATIK_FUZZ=ON -DKURSOMATIK_GUI=OFF -DKURSOMATIK_TESTS=OFF
cmake --build build/fuzz -j "$(nproc)"
status=0
# Every target of fuzz/: Fuzz<Name>.cpp, with its seeds in fuzz/corpus/<Name>/.
for source in fuzz/Fuzz*.cpp; do
    target=$(basename "$source" .cpp)
    target=${target#Fuzz}
    mkdir -p "build/fuzz/corpus/$target" build/fuzz/crashes
    echo "== fuzz_$target for ${seconds}s"
    if ! build/fuzz/bin/fuzz_$target -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix=build/fuzz/crashes/ "build/fuzz/corpus/$target" "fuzz/corpus/$target" \
        2> "build/fuzz/$target.log"; then
        status=1
        tail -n 30 "build/fuzz/$target.log"
    fi
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "build/fuzz/$target.log" || true
done
exit $status
