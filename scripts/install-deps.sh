#!/usr/bin/env bash
# Installs the Debian packages Tolvane needs to build, run and be tested, but
# only those that are missing (no package lists are fetched otherwise).
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config qt6-base-dev libsimpleini-dev
    # look: a sans-serif face close to the designs' MS Sans Serif, and one
    # fontconfig takes for sans-serif (with Liberation alone it picks a
    # typewriter face for menus, buttons and message boxes)
    fonts-liberation2 fonts-dejavu-core
    # the Debian package: cpack -G DEB works out its dependencies with
    # dpkg-shlibdeps and needs `file` to find the binaries to strip
    dpkg-dev file
)
if [ "${1:-}" = "--test" ]; then
    packages+=(
        # end-to-end tests and the README's screenshot: a private X display,
        # a notification area, a pointer
        xvfb xauth trayer xdotool x11-utils imagemagick
        # batch files are run for real under Wine's command interpreter
        wine wine64
        # the installed desktop entry and metainfo are validated
        desktop-file-utils appstream
        # sanitizer and fuzzing builds; llvm-symbolizer names the functions in reports
        clang libclang-rt-14-dev llvm
        # the screen-reader test: the accessibility bus and its Python client
        at-spi2-core python3-pyatspi
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

# sudo drops most of the environment, so the variable goes through env; apt's
# progress stays visible, so a question it asked could not hang unseen.
apt=(env DEBIAN_FRONTEND=noninteractive apt-get)
[ "$(id -u)" -eq 0 ] || apt=(sudo "${apt[@]}")
echo "Installing ${#missing[@]} packages and what they need (a few hundred MB on a fresh"
echo "system; sudo may ask for your password): ${missing[*]}"
"${apt[@]}" update
"${apt[@]}" install -y --no-install-recommends "${missing[@]}"
