#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Time from process start to the main window on the screen, and peak memory: Kursomatik on a table
# against the plain window of bench/PlainWindowProbe.cpp (the same visible controls, its lists holding
# the table's names), started in pairs RUNS times under Xvfb. Prints the medians and the median of the
# per-pair ratios.
#   bench/startup.sh [build folder with -DKURSOMATIK_BENCHMARKS=ON, default build/benchmarks] [RUNS] [TABLE]
# TABLE is the currency file to start on, default the shipped one.
# The benchmarks' build is no test build: the probe takes the user's own instance lock, as the
# installed program does (so its cost is measured), and cannot start while Kursomatik runs for this user.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/benchmarks}")
runs=${2:-21}
table=$(realpath "${3:-data/KURSOMATIK.DAT}")

work=$(mktemp -d)
# The server is waited for, so that the next run never meets it going away.
trap 'kill "${xvfb:-}" 2>/dev/null && wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
cp "$table" "$work/KURSOMATIK.DAT"
cp data/Kursomatik.ini "$work/"
mkdir -p "$work/config"
printf '[Kursomatik]\nIniDatei=%s/Kursomatik.ini\n' "$work" > "$work/config/WIN.INI"
# The names of the table's records, for the floor's lists.
fold -b -w 147 "$table" | cut -b 1-40 | iconv -f CP1252 -t UTF-8 > "$work/names"

# The program's lock place: the runtime folder where it is the user's own, else the temp folder's.
uid=$(id -u)
lock_folder=/run/user/$uid
[ -d "$lock_folder" ] && [ ! -L "$lock_folder" ] && [ "$(stat -c '%u %a' "$lock_folder")" = "$uid 700" ] ||
    lock_folder=/tmp/kursomatik-$uid
if [ -e "$lock_folder/kursomatik-$uid.lock" ] && ! flock -n "$lock_folder/kursomatik-$uid.lock" true; then
    echo "Kursomatik is running for this user: end it first (the probe would stop at its second-start message)." >&2
    exit 1
fi

# A free display, written by the server once it takes connections. Without -noreset the server resets
# each time its last client leaves, and a probe that starts just then finds no display.
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
display=:$(head -n 1 "$work/display")

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
probe() {
    (cd "$work" && DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" "$@")
}
# Microseconds from the start to the shown window (the probe reads the clock then), and the probe's peak
# memory in KiB. The probe is waited for, so that the next start never meets its instance lock.
measure() {
    local start shown memory
    start=$(date +%s%N)
    probe "$@" > "$work/shown"
    read -r shown memory < "$work/shown"
    echo "$((shown - start / 1000)) $memory"
}
floor=("$build/bin/bench_plain_window_probe" "$work/names")
program=("$build/bin/bench_startup_probe")
probe "${floor[@]}" >/dev/null  # the first starts fill the caches; not counted
probe "${program[@]}" >/dev/null
# In pairs, so that a slower phase of the machine weighs on both alike, each first in every other pair.
for run in $(seq "$runs"); do
    if [ $((run % 2)) -eq 0 ]; then
        read -r floor_us floor_kib < <(measure "${floor[@]}")
        read -r program_us program_kib < <(measure "${program[@]}")
    else
        read -r program_us program_kib < <(measure "${program[@]}")
        read -r floor_us floor_kib < <(measure "${floor[@]}")
    fi
    echo "$floor_us" >> "$work/floor"
    echo "$program_us" >> "$work/program"
    awk -v f="$floor_us" -v p="$program_us" 'BEGIN { print p / f }' >> "$work/ratio"
    awk -v f="$floor_kib" -v p="$program_kib" 'BEGIN { print p / f }' >> "$work/memory"
    echo "$floor_kib" >> "$work/floor_kib"
    echo "$program_kib" >> "$work/program_kib"
done
awk -v f="$(median < "$work/floor")" -v p="$(median < "$work/program")" -v r="$(median < "$work/ratio")" \
    -v fm="$(median < "$work/floor_kib")" -v pm="$(median < "$work/program_kib")" -v m="$(median < "$work/memory")" \
    -v n="$runs" -v t="$(wc -l < "$work/names")" 'BEGIN {
    printf "%d records, %d pairs of starts\n", t, n
    printf "plain window:   %6.1f ms  %6.1f MiB\n", f / 1000, fm / 1024
    printf "Kursomatik:     %6.1f ms  %6.1f MiB\n", p / 1000, pm / 1024
    printf "ratio (median of the pairs):  time %.2f  memory %.2f\n", r, m }'
