#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package kursomatik_<version>_amd64.deb from the release build and checks it with
# lintian, which must report no error and no warning.
#   scripts/package.sh [build folder, default build/release]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

build=${1:-build/release}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKURSOMATIK_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/kursomatik_*.deb
cmake --build "$build" --target package
deb=$(echo "$build"/kursomatik_*_amd64.deb)
[ -f "$deb" ] || { echo "no package was made in $build" >&2; exit 1; }
# Info tags are listed too, so that a new one is seen; only errors and warnings fail.
lintian --info --display-info --fail-on error,warning "$deb"
echo "Package: $deb ($(du -k "$deb" | cut -f1) KiB)"
