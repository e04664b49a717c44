#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Refreshes the README's pictures of every window: builds the screenshot tool and runs the program's
# windows on the shipped table under a virtual X display (Xvfb, 96 dots per inch).
#   scripts/screenshots.sh [output folder, default docs/screenshots]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}" libgtest-dev xvfb

output=$(realpath -m "${1:-docs/screenshots}")
mkdir -p "$output"
cmake -S . -B build/screenshots -DCMAKE_BUILD_TYPE=Release -DKURSOMATIK_TESTS=ON >/dev/null
cmake --build build/screenshots -j "$(nproc)" --target kursomatik-screenshots

display=:98
Xvfb "$display" -screen 0 1280x1024x24 -dpi 96 -nolisten tcp &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
done

# German conventions, as the program's users have them; the pictures do not depend on the host.
DISPLAY=$display QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 LANG=de_DE.UTF-8 \
    build/screenshots/bin/kursomatik-screenshots data "$output"
echo "Pictures in $output"
