#!/usr/bin/env bash
# Builds Kursomatik's core. The main window is not built yet: it comes with the next step, so for
# now this only builds the core and the shipped currency table and says so.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh
need_packages cmake make g++
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DKURSOMATIK_TESTS=OFF
cmake --build build/release -j "$(nproc)"
echo "Kursomatik: the core is built; the main window does not exist yet, so there is nothing to start."
