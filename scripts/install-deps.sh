#!/usr/bin/env bash
# Installs the Debian packages Tolvane needs to build, run and be tested, but
# only those that are missing (no package lists are fetched otherwise).
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config qt6-base-dev
    # look: a sans-serif face close to the designs' MS Sans Serif
    fonts-liberation2
    # end-to-end tests: a private X display, a notification area, a pointer
    xvfb xauth trayer xdotool x11-utils imagemagick
    # the Debian package (cpack -G DEB) works out its dependencies with dpkg-shlibdeps
    dpkg-dev
)
if [ "${1:-}" = "--test" ]; then
    packages+=(
        # batch files are run for real under Wine's command interpreter
        wine wine64
        # the installed desktop entry and metainfo are validated
        desktop-file-utils appstream
        # sanitizer and fuzzing builds
        clang libclang-rt-14-dev
        # the tray on a StatusNotifierItem host: a private session bus and a D-Bus client
        dbus-daemon libglib2.0-bin
    )
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
