#!/usr/bin/env bash
# Installs the Debian packages Tolvane needs to build, run and be tested, but
# only those that are missing (no package lists are fetched otherwise).
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config qt6-base-dev libxcb1-dev
    # look: a sans-serif face close to the MS Sans Serif the windows are laid out for, and one
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
        # batch files are run for real under Wine's command interpreter, also in
        # a German locale, whose code page differs from the default one
        wine wine64 locales
        # and under DOSBox, for DOS programs (its SDL runs on a dummy display)
        dosbox
        # the installed desktop entry and metainfo are validated, and so is the
        # entry "Add to Menu" writes; the Debian package is checked by Debian's
        # own package checker
        desktop-file-utils appstream lintian
        # "Add to Menu" for real: the entry started by gtk-launch (gio launch
        # comes with libglib2.0-bin below)
        libgtk-3-bin
        # sanitizer and fuzzing builds; llvm-symbolizer names the functions in reports
        clang libclang-rt-14-dev llvm
        # the screen-reader test: the accessibility bus and its Python client
        at-spi2-core python3-pyatspi
        # the tray on a StatusNotifierItem host: a private session bus and a D-Bus client
        dbus-daemon libglib2.0-bin
        # the slow-drive benchmark: a drive letter on a FUSE file system that answers late
        fuse3 libfuse3-dev
    )
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
# sudo drops most of the environment, so the variable goes through env; apt's
# progress stays visible, so a question it asked could not hang unseen.
apt=(env DEBIAN_FRONTEND=noninteractive apt-get)
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing ${#missing[@]} packages and what they need (a few hundred MB on a fresh"
    echo "system; sudo may ask for your password): ${missing[*]}"
    "${sudo[@]}" "${apt[@]}" update
    "${sudo[@]}" "${apt[@]}" install -y --no-install-recommends "${missing[@]}"
fi

# The Wine tests write and run batch files in de_DE.UTF-8 too, and names are
# matched in tr_TR.UTF-8, where the C library's case rules differ; each is
# generated only when missing, keeping every locale already there.
if [ "${1:-}" = "--test" ]; then
    for locale in de_DE tr_TR; do
        locale -a 2>/dev/null | grep -qix "$locale.utf8" && continue
        echo "Generating the $locale.UTF-8 locale"
        grep -qx "$locale.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null ||
            echo "$locale.UTF-8 UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
        "${sudo[@]}" locale-gen --keep-existing >/dev/null
    done
fi
