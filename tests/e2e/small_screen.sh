#!/usr/bin/env bash
# A 1024x768 screen at QT_SCALE_FACTOR=2: the main window, larger than the
# screen, starts at its top left corner and keeps its layout; OK, below the
# screen's edge, is pressed with Alt+O; the confirmation lies wholly on the
# screen. With TOLVANE_SCREENSHOTS set to a folder, the screens are saved there.
source "$(dirname "$0")/lib.sh"
export QT_SCALE_FACTOR=2
windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
snap() { [ -z "${TOLVANE_SCREENSHOTS:-}" ] || import -window root "$TOLVANE_SCREENSHOTS/small-screen-$1.png"; }

start_desktop --no-tray
mkdir -p "$HOME/Programs"
cd "$HOME/Programs"
start_tolvane "$1"
eval "$(xdotool getwindowgeometry --shell "$(windows '^Tolvane$')")"
[ "$X,$Y,$WIDTH" = 0,0,1424 ] || fail "the main window is at $X,$Y and $WIDTH wide, not at 0,0 and 2 x 712"
snap main

xdotool windowfocus --sync "$(windows '^Tolvane$')"
xdotool type 'c:'
xdotool key Tab type 'c:\Programs'
xdotool key Tab type 'tool.exe'
xdotool key Tab type 'tool.bat'
xdotool key alt+o
wait_for 10 windows '^Batch File Created$' || fail "Alt+O did not press OK: $(cat "$E2E_TMP/tolvane.log")"
[ -f "$HOME/Programs/tool.bat" ] || fail "no batch file written"
eval "$(xdotool getwindowgeometry --shell "$(windows '^Batch File Created$')")"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1024 ] && [ $((Y + HEIGHT)) -le 768 ] ||
    fail "the confirmation at $X,$Y, ${WIDTH}x$HEIGHT, is not wholly on the screen"
snap confirmation
echo "PASS small_screen"
