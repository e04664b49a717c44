# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by run.sh and test.sh: installs the Debian packages a command needs when they are missing.
need_packages() {
    local missing=()
    for package in "$@"; do
        if [ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" != "install ok installed" ]; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages. Install them with:" >&2
        echo "  sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]} ..."
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" ||
        { apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"; }
}

# qt6-svg-dev renders the icons from their drawing at build time; qt6-translations-l10n gives Qt's
# own texts (shortcut names, context menus) in German; xdg-utils has xdg-open, which hands the about
# window's links to the desktop's browser and mail program; zlib1g-dev unpacks the ECB's .zip files of
# reference rates; libsqlite3-dev holds the rate history (KURSVERLAUF.DB), one transaction per import;
# qt6-charts-dev draws it in the window "Kursverlauf", a module loaded on first use (its CMake files need
# libqt6opengl6-dev, which Debian does not pull in).
BUILD_PACKAGES=(cmake make g++ qt6-base-dev libgl-dev qt6-svg-dev qt6-translations-l10n xdg-utils zlib1g-dev
    libsqlite3-dev qt6-charts-dev libqt6opengl6-dev)
# What the tests need beyond the build: GoogleTest, libzip-dev, with which they pack .zip files,
# appstream, desktop-file-utils and groff-base, which check the metainfo file, the menu entry and the
# manual pages, and openssl, which makes the certificates of the local https server.
TEST_PACKAGES=(libgtest-dev libzip-dev appstream desktop-file-utils groff-base openssl)
# What the Debian package needs beyond the build: dpkg-shlibdeps (dpkg-dev) and file, which CPack uses
# to find the binaries' library dependencies, and lintian, which checks the package.
PACKAGE_PACKAGES=(dpkg-dev file lintian)
