#!/usr/bin/env bash
# The icon follows the notification area: an area that starts after the
# program gets the icon; one that restarts while the program lives only in
# the tray takes it back; one that goes for good brings the main window back
# with what was typed into it.
source "$(dirname "$0")/../e2e/lib.sh"
TOLVANE=$1

main_window() { xdotool search --onlyvisible --name '^Tolvane$' 2>/dev/null | head -1; }
main_visible() { [ -n "$(main_window)" ]; }
main_hidden() { ! main_visible; }

start_desktop --no-tray
start_tolvane "$TOLVANE"
xdotool windowfocus --sync "$(main_window)" type 'c:'
xdotool key Tab type 'c:\'
xdotool key Tab type 'tool.exe'
xdotool key Tab type 'kept.bat'

sleep 2
start_trayer || fail "trayer did not start"
wait_for 10 has_tray_icon || fail "an area that came late did not get the icon"
sleep 0.5
xdotool mousemove --window "$(tray_icon_window)" 8 8 click 1
wait_for 10 main_hidden || fail "a left click did not hide the main window"

# A restart: the icon comes back and nothing else happens, even once the
# grace is long over.
kill "$TRAYER_PID"
wait "$TRAYER_PID" 2>/dev/null || true
start_trayer || fail "trayer did not start again"
wait_for 10 has_tray_icon || fail "the restarted area did not get the icon back"
sleep 4
running || fail "the program ended when its area restarted"
main_hidden || fail "the main window came back although the area did"

# Gone for good: the main window comes back as it was.
kill "$TRAYER_PID"
wait_for 10 main_visible || fail "the main window did not come back when the area went"
running || fail "the program ended when its area went"
xdotool windowfocus --sync "$(main_window)" key alt+o
wait_for 10 xdotool search --onlyvisible --name '^Batch File Created$' ||
    fail "no batch file from the answers typed before"
[ -f "$HOME/kept.bat" ] || fail "the batch file is not where the typed answers say"
echo "PASS e2e_tray_comeback"
