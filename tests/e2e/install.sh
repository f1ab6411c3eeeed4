#!/usr/bin/env bash
# Installs into a temporary prefix: every file lands in its standard place,
# the desktop entry and the metainfo are valid, and the installed program,
# started by its menu entry's command from a folder without a help file,
# finds its help file when F1 is pressed.
source "$(dirname "$0")/lib.sh"
BUILD=$1

PREFIX="$E2E_TMP/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null || fail "cmake --install failed"
desktop="$PREFIX/share/applications/org.tolvane.Tolvane.desktop"
metainfo="$PREFIX/share/metainfo/org.tolvane.Tolvane.metainfo.xml"
for file in bin/tolvane share/tolvane/batch.hlp \
    share/icons/hicolor/32x32/apps/tolvane.png share/icons/hicolor/scalable/apps/tolvane.svg \
    share/applications/org.tolvane.Tolvane.desktop share/metainfo/org.tolvane.Tolvane.metainfo.xml; do
    [ -f "$PREFIX/$file" ] || fail "not installed: $file"
done
[ -x "$PREFIX/bin/tolvane" ] || fail "the installed program is not executable"
for size in 32 48 64 128; do
    icon="$PREFIX/share/icons/hicolor/${size}x$size/apps/tolvane.png"
    [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x$size" ] ||
        fail "no ${size}x$size icon"
done
desktop-file-validate "$desktop" || fail "invalid desktop entry"
appstreamcli validate --no-net --strict "$metainfo" >/dev/null ||
    fail "invalid metainfo: $(appstreamcli validate --no-net --strict "$metainfo")"
grep -q '^Icon=tolvane$' "$desktop" || fail "the desktop entry names another icon"

# The menu entry's command, found on the PATH as a desktop would find it.
command=$(sed -n 's/^Exec=//p' "$desktop")
[ "$command" = tolvane ] || fail "unexpected Exec line: $command"
mkdir -p "$E2E_TMP/elsewhere"
cd "$E2E_TMP/elsewhere"
export PATH="$PREFIX/bin:$PATH"

start_desktop --no-tray
start_tolvane "$command"
window=$(xdotool search --onlyvisible --name '^Tolvane$' | head -1)
xdotool windowfocus --sync "$window" key F1
# The viewer takes its title from the help file it shows.
wait_for 10 xdotool search --onlyvisible --name '^Tolvane Help$' ||
    fail "F1 showed no help (windows: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' ','))"
running || fail "the program ended"
echo "PASS install"
