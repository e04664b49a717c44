#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as a user meets it, for CI: builds it (scripts/package.sh, with lintian), checks
# that a second run and a build in another folder give the same bytes, then installs it with apt-get,
# starts both commands as an ordinary user and as root, removes it, and checks that every user's data
# is as it was and that nothing of the package is left under /usr.
# It installs and removes the package kursomatik on this machine: run it as root, where no other
# installation of Kursomatik is wanted.
#   scripts/package-test.sh
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}" desktop-file-utils

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

scripts/package.sh build/release
deb=$(realpath build/release/kursomatik_*_amd64.deb)
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
cp "$deb" "$work/first.deb"

echo "== the same bytes from a second run and from another build folder"
sleep 1  # another time stamp on every file cpack installs
cmake --build build/release --target package >/dev/null
check "a second package run gives the same bytes" cmp "$work/first.deb" "$deb"
scripts/package.sh build/package-check >/dev/null
check "a build in another folder gives the same bytes" cmp "$work/first.deb" build/package-check/kursomatik_*_amd64.deb
ls -l "$deb"

if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
    echo "not root or no apt-get: the installation is not tried"
    echo "$failures failure(s)"
    exit $((failures > 0))
fi

echo "== install"
if dpkg-query -W -f='${Status}' kursomatik 2>/dev/null | grep -q installed; then
    apt-get remove -y -q kursomatik >/dev/null  # left by an earlier run that did not finish
fi
for old in /usr/local/bin/kursomatik /usr/local/bin/kursomatik-rechner; do
    [ ! -e "$old" ] || echo "note: $old (an earlier cmake --install) shadows the package's command"
done
usr_paths() { find /usr -xdev \! -name icon-theme.cache \! -name mimeinfo.cache | sort; }
usr_paths >"$work/usr.before"
# Ordinary users: one who has used Kursomatik (own table, settings, WIN.INI, history), one who has not.
user=65534
used="$work/used"
fresh="$work/fresh"
data="$used/.local/share/Kursomatik"
mkdir -p "$data" "$used/.config" "$fresh"
cp data/KURSOMATIK.DAT "$data/"
printf '[Kursomatik]\nstellen1=10000\nstellen2=100\noptionen1=2\noptionen2=1\n' >"$data/Kursomatik.ini"
printf '[Kursomatik]\nIniDatei=%s\n' "$data/Kursomatik.ini" >"$used/.config/WIN.INI"
printf 'history of the user' >"$data/KURSVERLAUF.DB"
chown -R "$user:$user" "$used" "$fresh"
user_files() { (cd "$1" && find . -printf '%p %y %m %U %s\n' -type f -exec md5sum {} + | sort); }
user_files "$used" >"$work/used.before"

DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" | tee "$work/apt.log"
check "apt-get installed the package and nothing else" grep -q "^0 upgraded, 1 newly installed" "$work/apt.log"
check "kursomatik is on the PATH in /usr/bin" [ "$(env -i PATH=/usr/local/bin:/usr/bin:/bin sh -c 'command -v kursomatik')" = /usr/bin/kursomatik ]
entry=/usr/share/applications/example.kursomatik.kursomatik.desktop
check "the menu entry is valid" [ -z "$(desktop-file-validate "$entry" 2>&1)" ]
check "the menu entry runs the installed command" grep -qx "Exec=/usr/bin/kursomatik" "$entry"
check "it is the only menu entry of Kursomatik" [ "$(grep -l "^Exec=.*kursomatik" /usr/share/applications/*.desktop)" = "$entry" ]
check "its icon is installed in every size" [ "$(ls /usr/share/icons/hicolor/*/apps/example.kursomatik.kursomatik.* | wc -l)" -eq 9 ]

# start <uid> <home>: the menu entry's command as that user, with nothing of this environment, until
# the program holds its instance lock (in the user's /run/user folder, else in /tmp); then ends it.
start() {
    local uid=$1 home=$2 pid lock status=1
    local locks="/run/user/$uid/kursomatik-$uid.lock /tmp/kursomatik-$uid/kursomatik-$uid.lock"
    # shellcheck disable=SC2086 # two paths
    rm -f $locks
    setpriv --reuid="$uid" --regid="$uid" --clear-groups env -i HOME="$home" PATH=/usr/bin:/bin \
        QT_QPA_PLATFORM=offscreen "$(sed -n 's/^Exec=//p' "$entry")" >"$work/output" 2>&1 &
    pid=$!
    for _ in $(seq 100); do
        for lock in $locks; do [ ! -e "$lock" ] || status=0; done
        [ "$status" -ne 0 ] || break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    [ "$status" -ne 0 ] || [ "$(readlink "/proc/$pid/exe")" = /usr/libexec/kursomatik/kursomatik ] || status=1
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [ "$status" -eq 0 ] || cat "$work/output"
    return "$status"
}
converts() {  # converts <uid> <home> <expected>
    local out
    out=$(cd / && setpriv --reuid="$1" --regid="$1" --clear-groups env -i HOME="$2" PATH=/usr/bin:/bin LC_ALL=C \
        kursomatik-rechner 100 DEM FRF 2>&1) || true
    [ "$out" = "$3" ] || { echo "got: $out"; return 1; }
}

echo "== start"
check "the program starts for a user who used it before" start "$user" "$used"
check "kursomatik-rechner converts with that user's settings (4 Euro decimals)" converts "$user" "$used" "335,39"
check "the program starts for a new user" start "$user" "$fresh"
check "a new user gets the shipped table" cmp -s "$fresh/.local/share/Kursomatik/KURSOMATIK.DAT" /usr/share/kursomatik/KURSOMATIK.DAT
check "and the settings in the data folder" \
    grep -qxF "IniDatei=$fresh/.local/share/Kursomatik/Kursomatik.ini" "$fresh/.config/WIN.INI"
check "kursomatik-rechner converts for the new user" converts "$user" "$fresh" "335,38"
mkdir -p "$work/root"
check "the program starts for root" start 0 "$work/root"
check "kursomatik-rechner converts for root" converts 0 "$work/root" "335,38"
check "the program's network module finds every library it needs" \
    sh -c '! ldd /usr/libexec/kursomatik/kursomatik-netz.so | grep -q "not found"'
check "the program's history module finds every library it needs" \
    sh -c '! ldd /usr/libexec/kursomatik/kursomatik-verlauf.so | grep -q "not found"'
check "the program maps no SQLite, no network library and no Qt Charts until it needs them" \
    sh -c '! ldd /usr/libexec/kursomatik/kursomatik | grep -Eq "sqlite|Qt6Network|Qt6Charts"'
check "no start wrote into the installation (dpkg --verify)" [ -z "$(dpkg --verify kursomatik)" ]
check "the package's folders hold only its own files" \
    [ "$(find /usr/libexec/kursomatik /usr/share/kursomatik /usr/share/doc/kursomatik -type f | sort)" = \
      "$(dpkg -L kursomatik | grep -E '^/usr/(libexec|share)/(doc/)?kursomatik/' | sort)" ]

echo "== remove"
dpkg -L kursomatik >"$work/package.files"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -q kursomatik
check "the package is gone" [ "$(dpkg-query -W -f='${db:Status-Status}' kursomatik 2>/dev/null || echo not-installed)" = not-installed ]
check "none of its files is left" [ -z "$(while read -r f; do [ -d "$f" ] || [ ! -e "$f" ] || echo "$f"; done <"$work/package.files")" ]
usr_paths >"$work/usr.after"
check "/usr holds the same paths as before the installation" diff "$work/usr.before" "$work/usr.after"
user_files "$used" >"$work/used.after"
check "the user's data is as it was before the installation" diff "$work/used.before" "$work/used.after"
check "the new user's data folder stays" [ -f "$fresh/.local/share/Kursomatik/KURSOMATIK.DAT" ]

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
