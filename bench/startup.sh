#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Time from process start to the main window on the screen: Kursomatik on the shipped table
# against an empty Qt main window, each started RUNS times under Xvfb, medians in milliseconds.
#   bench/startup.sh [build folder with -DKURSOMATIK_BENCHMARKS=ON, default build/benchmarks] [RUNS] [TABLE]
# TABLE is the currency file to start on, default the shipped one.
# The benchmarks' build is no test build: the probe takes the user's own instance lock, as the
# installed program does (so its cost is measured), and cannot start while Kursomatik runs for this user.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/benchmarks}")
runs=${2:-25}
table=$(realpath "${3:-data/KURSOMATIK.DAT}")

work=$(mktemp -d)
trap 'kill "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$table" "$work/KURSOMATIK.DAT"
cp data/Kursomatik.ini "$work/"
mkdir -p "$work/config"
printf '[Kursomatik]\nIniDatei=%s/Kursomatik.ini\n' "$work" > "$work/config/WIN.INI"

# The program's lock place: the runtime folder where it is the user's own, else the temp folder's.
uid=$(id -u)
lock_folder=/run/user/$uid
[ -d "$lock_folder" ] && [ ! -L "$lock_folder" ] && [ "$(stat -c '%u %a' "$lock_folder")" = "$uid 700" ] ||
    lock_folder=/tmp/kursomatik-$uid
if [ -e "$lock_folder/kursomatik-$uid.lock" ] && ! flock -n "$lock_folder/kursomatik-$uid.lock" true; then
    echo "Kursomatik is running for this user: end it first (the probe would stop at its second-start message)." >&2
    exit 1
fi

display=:97
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
probe() {
    (cd "$work" && DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" "$1")
}
elapsed() {
    local start
    start=$(date +%s%N)
    probe "$1"
    echo $((($(date +%s%N) - start) / 1000))
}
probe "$build/bin/bench_empty_window_probe"  # the first starts fill the caches; not counted
probe "$build/bin/bench_startup_probe"
# Interleaved, so that a slower phase of the machine weighs on both alike.
for _ in $(seq "$runs"); do
    elapsed "$build/bin/bench_empty_window_probe" >> "$work/empty"
    elapsed "$build/bin/bench_startup_probe" >> "$work/program"
done
empty=$(median < "$work/empty")
program=$(median < "$work/program")
awk -v e="$empty" -v p="$program" 'BEGIN {
    printf "empty Qt main window:      %6.1f ms\nKursomatik on its table:   %6.1f ms\nratio:                     %6.2f\n",
        e / 1000, p / 1000, p / e }'
