#!/usr/bin/env bash
# Installs into a temporary prefix with a blank in its name: every file lands
# in its standard place, the desktop entry and the metainfo are valid, and the
# installed program, started from its menu entry as a desktop starts it (the
# prefix's bin folder not on the PATH) in a folder without a help file, finds
# its help file when F1 is pressed; scripts/uninstall.sh takes it all away.
source "$(dirname "$0")/lib.sh"
BUILD=$1

PREFIX="$E2E_TMP/my prefix"
# As the README says: a stripped program, without its debugging information.
cmake --install "$BUILD" --prefix "$PREFIX" --strip >/dev/null || fail "cmake --install failed"
desktop="$PREFIX/share/applications/org.tolvane.Tolvane.desktop"
metainfo="$PREFIX/share/metainfo/org.tolvane.Tolvane.metainfo.xml"
for file in bin/tolvane share/tolvane/batch.hlp \
    share/icons/hicolor/32x32/apps/tolvane.png share/icons/hicolor/scalable/apps/tolvane.svg \
    share/applications/org.tolvane.Tolvane.desktop share/metainfo/org.tolvane.Tolvane.metainfo.xml; do
    [ -f "$PREFIX/$file" ] || fail "not installed: $file"
done
[ -x "$PREFIX/bin/tolvane" ] || fail "the installed program is not executable"
file -b "$PREFIX/bin/tolvane" | grep -q ', stripped' || fail "not stripped: $(file -b "$PREFIX/bin/tolvane")"
for size in 32 48 64 128; do
    icon="$PREFIX/share/icons/hicolor/${size}x$size/apps/tolvane.png"
    [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x$size" ] ||
        fail "no ${size}x$size icon"
done
desktop-file-validate "$desktop" || fail "invalid desktop entry"
appstreamcli validate --no-net --strict "$metainfo" >/dev/null ||
    fail "invalid metainfo: $(appstreamcli validate --no-net --strict "$metainfo")"
grep -q '^Icon=tolvane$' "$desktop" || fail "the desktop entry names another icon"

# The menu entry names the program by its full path.
command=$(sed -n 's/^Exec=//p' "$desktop")
[ "$command" = "\"$PREFIX/bin/tolvane\"" ] || fail "unexpected Exec line: $command"
mkdir -p "$E2E_TMP/elsewhere"
cd "$E2E_TMP/elsewhere"

start_desktop --no-tray
gio launch "$desktop" >"$E2E_TMP/tolvane.log" 2>&1 || fail "gio launch failed: $(cat "$E2E_TMP/tolvane.log")"
wait_for 15 xdotool search --onlyvisible --name '^Tolvane$' || fail "no main window"
TOLVANE_PID=$(xdotool search --onlyvisible --name '^Tolvane$' getwindowpid | head -1)
PIDS+=("$TOLVANE_PID")
window=$(xdotool search --onlyvisible --name '^Tolvane$' | head -1)
xdotool windowfocus --sync "$window" key F1
# The viewer takes its title from the help file it shows.
wait_for 10 xdotool search --onlyvisible --name '^Tolvane Help$' ||
    fail "F1 showed no help (windows: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' ','))"
running || fail "the program ended"

# The README's uninstall leaves nothing behind, not even empty folders.
kill "$TOLVANE_PID"
"$(dirname "$0")/../../scripts/uninstall.sh" "$BUILD/install_manifest.txt" >/dev/null
[ ! -e "$PREFIX" ] || fail "left behind: $(find "$PREFIX" | head)"
echo "PASS install"
