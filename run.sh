#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Kursomatik and starts it on the shipped currency table.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}"

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DKURSOMATIK_TESTS=OFF
cmake --build build/release -j "$(nproc)"

# The program works on KURSOMATIK.DAT in its current folder: run/ gets a copy of the shipped table
# on the first start and keeps the user's changes afterwards. The settings lie beside the program.
mkdir -p run
[ -e run/KURSOMATIK.DAT ] || cp data/KURSOMATIK.DAT run/
[ -e build/release/bin/Kursomatik.ini ] || cp data/Kursomatik.ini build/release/bin/
cd run
exec ../build/release/bin/kursomatik
