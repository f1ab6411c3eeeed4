#!/usr/bin/env bash
# A 1024x768 screen at twice the scale (QT_SCALE_FACTOR=2): the main window is
# larger than the screen and starts at its top left corner, its controls below
# the screen's edge are still reached with the keyboard, and the windows that
# fit stand wholly on the screen. With TOLVANE_SCREENSHOTS set to a folder,
# the screen is saved there at each step.
source "$(dirname "$0")/lib.sh"
TOLVANE=$1
export QT_SCALE_FACTOR=2

windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
shown() { [ -n "$(windows "$1")" ]; }
keys() { xdotool key --delay 50 "$@"; }
snap() { [ -z "${TOLVANE_SCREENSHOTS:-}" ] || import -window root "$TOLVANE_SCREENSHOTS/small-screen-$1.png"; }

# on_screen TITLE: the window lies wholly on the 1024x768 screen.
on_screen() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$(windows "$1")")"
    [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1024 ] && [ $((Y + HEIGHT)) -le 768 ] ||
        fail "$1 at $X,$Y, ${WIDTH}x$HEIGHT, is not wholly on the screen"
}

start_desktop --no-tray
mkdir -p "$HOME/Programs"
: >"$HOME/Programs/tool.exe"
cd "$HOME/Programs"
start_tolvane "$TOLVANE"
main=$(windows '^Tolvane$')
eval "$(xdotool getwindowgeometry --shell "$main")"
# Laid out as at normal scale, twice as large: 712 pixels wide.
[ "$WIDTH" -eq 1424 ] || fail "the main window is $WIDTH pixels wide, not 2 x 712"
[ "$X" -eq 0 ] && [ "$Y" -eq 0 ] || fail "the main window starts at $X,$Y, not at the screen's corner"
snap main

xdotool windowfocus --sync "$main"
keys alt+h a
wait_for 10 shown '^About Tolvane$' || fail "no About window"
on_screen '^About Tolvane$'
snap about
xdotool windowfocus --sync "$(windows '^About Tolvane$')"
keys Return

# OK stands below the screen's edge; Alt+O presses it.
xdotool windowfocus --sync "$main"
xdotool type 'c:'
keys Tab
xdotool type 'c:\Programs'
keys Tab
xdotool type 'tool.exe'
keys Tab
xdotool type 'tool.bat'
keys alt+o
wait_for 10 shown '^Batch File Created$' || fail "Alt+O did not press OK: $(cat "$E2E_TMP/tolvane.log")"
[ -f "$HOME/Programs/tool.bat" ] || fail "no batch file written"
on_screen '^Batch File Created$'
snap confirmation
echo "PASS small_screen"
