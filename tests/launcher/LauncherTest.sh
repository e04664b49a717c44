#!/usr/bin/env bash
# Runs the desktop launcher in pretended installations with a pretended home and a pretended
# program that only notes where and how it was started.
#   LauncherTest.sh <configured kursomatik-start> <data folder relative to the bin folder>
set -euo pipefail

launcher=$1
data_from_bin=$2
base=${3:-}

if [ -z "$base" ] && [ "$(id -u)" -eq 0 ]; then
    # Root may write into any folder, so a read-only program folder needs an ordinary user.
    command -v setpriv >/dev/null || { echo "SKIP: running as root without setpriv"; exit 77; }
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp "$0" "$work/LauncherTest.sh"
    cp "$launcher" "$work/kursomatik-start"
    chown -R 65534:65534 "$work"
    status=0
    setpriv --reuid=65534 --regid=65534 --clear-groups \
        bash "$work/LauncherTest.sh" "$work/kursomatik-start" "$data_from_bin" "$work" || status=$?
    exit $status
fi
if [ -z "$base" ]; then
    base=$(mktemp -d)
    trap 'chmod -R u+w "$base"; rm -rf "$base"' EXIT
fi

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
same() { [ "$(cat "$1")" = "$2" ]; }
absent() { [ ! -e "$1" ]; }

case_number=0
# A fresh installation and home; sets prefix, home, data, winini, log.
new_case() {
    case_number=$((case_number + 1))
    local root="$base/case$case_number"
    prefix="$root/prefix"
    home="$root/home"
    mkdir -p "$prefix/bin" "$home"
    local shared="$prefix/bin/$data_from_bin"
    mkdir -p "$shared"
    cp "$launcher" "$prefix/bin/kursomatik-start"
    chmod 755 "$prefix/bin/kursomatik-start"
    printf '#!/bin/sh\n{ echo "cwd=$(pwd)"; echo "args=$#"; } >>"$KURSOMATIK_TEST_LOG"\n' >"$prefix/bin/kursomatik"
    chmod 755 "$prefix/bin/kursomatik"
    printf 'shipped table 1' >"$shared/KURSOMATIK.DAT"
    printf '[Kursomatik]\nstellen1=1000\n' >"$shared/Kursomatik.ini"
    data="$home/.local/share/Kursomatik"
    winini="$home/.config/WIN.INI"
    log="$root/started"
    : >"$log"
}
shared() { echo "$prefix/bin/$data_from_bin"; }
launch() {  # launch [VAR=value...]: the launcher as the desktop runs it
    env -i PATH="$PATH" HOME="$home" KURSOMATIK_TEST_LOG="$log" "$@" "$prefix/bin/kursomatik-start"
}
start() {  # a launch that is expected to start the program
    local status=0
    launch "$@" || status=$?
    check "the launcher ends well (status $status)" [ "$status" -eq 0 ]
}
read_only_program_folder() { chmod 555 "$prefix/bin"; }

# First start: the shipped table is copied into the data folder and the program runs there.
new_case
start
check "first start copies the shipped table" same "$data/KURSOMATIK.DAT" "shipped table 1"
check "the program runs in the data folder without arguments" same "$log" "cwd=$data
args=0"

# Later starts never overwrite the user's table, not even after an update of the shipped one.
printf 'edited by the user' >"$data/KURSOMATIK.DAT"
printf 'shipped table 2' >"$(shared)/KURSOMATIK.DAT"
start
check "a later start keeps the user's table" same "$data/KURSOMATIK.DAT" "edited by the user"
check "the program was started twice" [ "$(grep -c '^cwd=' "$log")" -eq 2 ]

# A writable program folder keeps the settings beside the program and leaves WIN.INI alone.
check "writable program folder: settings seeded beside the program" \
    same "$prefix/bin/Kursomatik.ini" "$(printf '[Kursomatik]\nstellen1=1000')"
check "writable program folder: no WIN.INI" absent "$winini"
printf 'mine' >"$prefix/bin/Kursomatik.ini"
start
check "writable program folder: the user's settings are kept" same "$prefix/bin/Kursomatik.ini" "mine"

# The XDG folders are honoured.
new_case
start XDG_DATA_HOME="$home/daten" XDG_CONFIG_HOME="$home/konfig"
check "XDG_DATA_HOME names the data folder" same "$home/daten/Kursomatik/KURSOMATIK.DAT" "shipped table 1"
check "nothing in the default data folder" absent "$data"

# A read-only program folder and no WIN.INI: the entry is written as an installer would write it.
new_case
read_only_program_folder
start
check "read-only program folder: WIN.INI names the settings in the data folder" \
    same "$winini" "[Kursomatik]
IniDatei=$data/Kursomatik.ini"
check "read-only program folder: settings seeded from the shipped default" \
    same "$data/Kursomatik.ini" "$(printf '[Kursomatik]\nstellen1=1000')"
printf 'mine' >"$data/Kursomatik.ini"
start
check "the entry is added only once" same "$winini" "[Kursomatik]
IniDatei=$data/Kursomatik.ini"
check "the user's settings in the data folder are kept" same "$data/Kursomatik.ini" "mine"

# An existing WIN.INI: the entry goes into the first section "Kursomatik", whatever its case and
# blanks, and every other line stays as it was.
new_case
read_only_program_folder
mkdir -p "$home/.config"
mkdir -p "$data"
printf 'mine' >"$data/Kursomatik.ini"
cat >"$winini" <<'INI'
; Systemprofil
[windows]
load=
;IniDatei=/nur/ein/Kommentar
[ kursomatik ]
farbe=blau

[Andere]
IniDatei=/nicht/diese
[Kursomatik]
IniDatei=/zweiter/abschnitt/zaehlt/nicht
INI
start
start
check "existing WIN.INI: entry added once to the first section, other lines kept" same "$winini" \
"; Systemprofil
[windows]
load=
;IniDatei=/nur/ein/Kommentar
[ kursomatik ]
IniDatei=$data/Kursomatik.ini
farbe=blau

[Andere]
IniDatei=/nicht/diese
[Kursomatik]
IniDatei=/zweiter/abschnitt/zaehlt/nicht"
check "existing settings in the data folder are not overwritten" same "$data/Kursomatik.ini" "mine"

# WIN.INI already names a settings file: nothing is touched.
new_case
read_only_program_folder
mkdir -p "$home/.config"
printf '[KURSOMATIK]\r\n  inidatei = /anderswo/k.ini\r\n' >"$winini"
cp "$winini" "$base/expected"
start
check "an existing IniDatei entry leaves WIN.INI byte for byte" cmp -s "$winini" "$base/expected"
check "an existing IniDatei entry seeds no settings" absent "$data/Kursomatik.ini"

# A WIN.INI with Windows line ends and no section "Kursomatik": the section is appended alike.
new_case
read_only_program_folder
mkdir -p "$home/.config"
printf '[windows]\r\nload=\r\n' >"$winini"
start
printf '[windows]\r\nload=\r\n[Kursomatik]\r\nIniDatei=%s\r\n' "$data/Kursomatik.ini" >"$base/expected"
check "a section is appended with the file's line ends" cmp -s "$winini" "$base/expected"

# Started through a link, as from a bin folder on the PATH, it still finds the installation.
new_case
mkdir -p "$home/bin"
ln -s "$prefix/bin/kursomatik-start" "$home/bin/kursomatik-start"
env -i PATH="$PATH" HOME="$home" KURSOMATIK_TEST_LOG="$log" "$home/bin/kursomatik-start"
check "a linked launcher finds the program and the shipped table" same "$data/KURSOMATIK.DAT" "shipped table 1"
check "a linked launcher started the program" [ "$(grep -c '^cwd=' "$log")" -eq 1 ]

# Nothing to copy: the launcher stops with a message instead of starting on an empty table.
new_case
rm "$(shared)/KURSOMATIK.DAT"
status=0
launch 2>"$base/stderr" || status=$?
check "a missing shipped table stops the launcher" [ "$status" -ne 0 ]
check "a missing shipped table starts no program" same "$log" ""
check "a missing shipped table is reported" grep -q "currency table" "$base/stderr"

chmod -R u+w "$base"/case* 2>/dev/null || true
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
