#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix, checks what lies where, and starts the installed
# command `kursomatik` from the PATH the way the desktop menu does, in a pretended home.
#   InstallTest.sh <build folder>
set -euo pipefail

build=$1
work=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill -9 "$pid" 2>/dev/null; chmod -R u+w "$work"; rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
shared="$prefix/share/kursomatik"
program="$prefix/libexec/kursomatik/kursomatik"
# The test build's program takes its lock below a root of this test's own, in the user's runtime folder.
root="$work/root"
runtime="$root/run/user/$(id -u)"
mkdir -p "$runtime" "$root/tmp"
chmod 700 "$runtime"
lock="$runtime/kursomatik-$(id -u).lock"

failures=0
check() {  # check <what> <command...>
    local what=$1
    shift
    if "$@"; then
        echo "ok   $what"
    else
        echo "FAIL $what"
        failures=$((failures + 1))
    fi
}

id=example.kursomatik.kursomatik
check "bin holds the commands kursomatik and kursomatik-rechner" \
    [ "$(ls "$prefix/bin" | tr '\n' ' ')" = "kursomatik kursomatik-rechner " ]
check "both commands have their manual pages" \
    [ "$(ls "$prefix/share/man/man1" | tr '\n' ' ')" = "kursomatik-rechner.1.gz kursomatik.1.gz " ]
check "the program lies outside the PATH" [ -x "$program" ]
for file in KURSOMATIK.DAT Kursomatik.ini KURSOMATIK.HLP; do
    check "the installation ships $file" [ -f "$shared/$file" ]
done
check "one menu entry, named by the id" [ "$(ls "$prefix/share/applications")" = "$id.desktop" ]
check "the menu entry runs the command" grep -qx "Exec=$prefix/bin/kursomatik" \
    "$prefix/share/applications/$id.desktop"
validate_quietly() { [ -z "$("$@" 2>&1)" ]; }  # no error, no warning, no hint
check "the menu entry passes desktop-file-validate" \
    validate_quietly desktop-file-validate "$prefix/share/applications/$id.desktop"
check "every icon is named by the id" \
    [ "$(find "$prefix/share/icons" -type f | grep -cv "/apps/$id\.\(png\|svg\)$")" -eq 0 ]
check "the 16-pixel icon is drawn for 16 pixels" \
    cmp -s "$prefix/share/icons/hicolor/16x16/apps/$id.png" "$build/desktop/icons/kursomatik-16.png"
# The menu entry, icons and metainfo together, as a software centre reads them.
check "the installed tree passes appstreamcli validate-tree" appstreamcli validate-tree --no-net "$prefix"
# What the installation holds; no start of a command, not even as root, may change it.
listing() { (cd "$prefix" && find . -printf '%p %y %m %s\n' | sort); }
installed=$(listing)

# launch <home> <PATH> [VAR=value...]: the bare command, with nothing of this environment; sets pid.
launch() {
    local home=$1 path=$2
    shift 2
    mkdir -p "$home"
    env -i PATH="$path" HOME="$home" KURSOMATIK_TEST_LOCK_ROOT="$root" QT_QPA_PLATFORM=offscreen "$@" \
        kursomatik >"$work/output" 2>&1 &
    pid=$!
}
# The program holds its instance lock once its start-up runs.
started() {
    for _ in $(seq 100); do
        [ -e "$lock" ] && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
stop() {
    kill -TERM "$pid"
    wait "$pid" || true
    pid=
}
# checks_of_a_start <home>: the program runs in the data folder on the shipped table.
checks_of_a_start() {
    local data="$1/.local/share/Kursomatik"
    if ! started; then
        check "the program started (output: $(cat "$work/output"))" false
        return
    fi
    check "the command became the program" [ "$(readlink "/proc/$pid/exe")" = "$program" ]
    check "the program works in the data folder" [ "$(readlink "/proc/$pid/cwd")" = "$data" ]
    check "the shipped table was copied there" cmp -s "$data/KURSOMATIK.DAT" "$shared/KURSOMATIK.DAT"
    check "WIN.INI names the settings in the data folder" \
        grep -qxF "IniDatei=$data/Kursomatik.ini" "$1/.config/WIN.INI"
    check "they are the shipped settings" cmp -s "$data/Kursomatik.ini" "$shared/Kursomatik.ini"
    stop
    check "the lock is gone when the program has ended" [ ! -e "$lock" ]
}

# converts <home>: the installed converter, outside the data folder, on the table and settings the
# program got (the shipped settings: 3 Euro decimals, 2 result decimals).
converts() {
    local out
    out=$(cd / && env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$1" LC_ALL=C kursomatik-rechner 100 DEM FRF 2>&1) ||
        true
    check "kursomatik-rechner converts with the program's table and settings (got: $out)" [ "$out" = "335,38" ]
}

home="$work/home"
launch "$home" "$prefix/bin:/usr/bin:/bin"
checks_of_a_start "$home"
converts "$home"

# A home whose name the old shell launcher mangled, a relative XDG_DATA_HOME (ignored), the command
# linked into a bin folder of the user's own, and a program folder the user may not write into
# (unless root, who may write anywhere); XDG_RUNTIME_DIR and TMPDIR elsewhere move no lock.
program_mode=$(stat -c %a "$prefix/libexec/kursomatik")
chmod a-w "$prefix/libexec/kursomatik"
home="$work/Max \\ Müller"
mkdir -p "$home/bin"
ln -s "$prefix/bin/kursomatik" "$home/bin/kursomatik"
launch "$home" "$home/bin:/usr/bin:/bin" XDG_DATA_HOME=relativ XDG_RUNTIME_DIR="$work" TMPDIR="$work"
checks_of_a_start "$home"
converts "$home"

# A script run before the program was ever started: the converter does the same first-run set-up.
converts "$work/skript"
check "the converter's first run copied the shipped table" \
    cmp -s "$shared/KURSOMATIK.DAT" "$work/skript/.local/share/Kursomatik/KURSOMATIK.DAT"

# Without a window system to reach (no DISPLAY, a display nobody serves, no Wayland socket), and Qt
# left to find one: the program the command became ends with a German message and status 1.
dead=
for n in $(seq 50 99); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { dead=":$n"; break; }
done
for display in "" "DISPLAY=$dead" "WAYLAND_DISPLAY=$work/wayland-9"; do
    status=0
    env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$work/ohne-anzeige" KURSOMATIK_TEST_LOCK_ROOT="$root" \
        $display timeout 20 kursomatik >"$work/output" 2>&1 || status=$?
    check "without a display ($display) the command ends with status 1 (was $status)" [ "$status" -eq 1 ]
    check "and says so in German" grep -q "Es ist keine grafische Anzeige erreichbar" "$work/output"
    check "and never aborts" [ -z "$(grep -e Abort -e 'This application failed' "$work/output")" ]
done
status=0
env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$work/hilfe" kursomatik --help >"$work/output" 2>&1 || status=$?
check "kursomatik --help ends with status 0 (was $status)" [ "$status" -eq 0 ]
check "and prints the usage, naming the data folder" grep -q "$work/hilfe/.local/share/Kursomatik" "$work/output"
check "and sets up nothing" [ ! -e "$work/hilfe" ]

# A file-size limit below the shipped table (bash counts 1024-byte blocks): the copy fails with a
# message and leaves nothing, rather than SIGXFSZ ending the command half-way.
status=0
(ulimit -f 1 && exec env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$work/klein" kursomatik) \
    >"$work/output" 2>&1 || status=$?
check "under a file-size limit the command ends with status 1 (was $status)" [ "$status" -eq 1 ]
check "and names the limit as the cause" grep -q "Die Datei würde zu groß" "$work/output"
check "and leaves no part of the table" [ -z "$(ls -A "$work/klein/.local/share/Kursomatik")" ]

chmod "$program_mode" "$prefix/libexec/kursomatik"
check "no start wrote into the installation (as $(id -un))" [ "$(listing)" = "$installed" ]

# Nothing to copy: a message instead of a program on an empty table.
rm "$shared/KURSOMATIK.DAT"
status=0
env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$work/dritter" KURSOMATIK_TEST_LOCK_ROOT="$root" \
    QT_QPA_PLATFORM=offscreen timeout 20 kursomatik >"$work/output" 2>&1 || status=$?
check "without a shipped table the command ends with status 1 (was $status)" [ "$status" -eq 1 ]
check "and says which file is missing" grep -q "Kursomatik kann nicht gestartet werden" "$work/output"
check "and names it" grep -q "$shared/KURSOMATIK.DAT" "$work/output"
check "and started no program" [ ! -e "$lock" ]

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
