#!/usr/bin/env bash
# The tray icon on a real XEmbed notification area: a left click hides and
# shows the main window, a right click opens the tray menu, whose items are
# picked from the keyboard.
source "$(dirname "$0")/../e2e/lib.sh"
TOLVANE=$1

icon_present() { [ -n "$(tray_icon_window)" ]; }
main_visible() { xdotool search --onlyvisible --name '^Tolvane$' >/dev/null 2>&1; }
main_hidden() { ! main_visible; }
ended() { ! running; }
disable_dialog_visible() { xdotool search --onlyvisible --name '^Disable Tray Icon$' >/dev/null 2>&1; }
ini_has() { grep -qx "$1" "$INI"; }

# The open tray menu: a visible pop-up (override-redirect) window of the
# program other than the icon, taller than a tool tip.
tray_menu() {
    local window height
    for window in $(xdotool search --onlyvisible --pid "$TOLVANE_PID" 2>/dev/null); do
        [ "$window" -eq "$((ICON))" ] && continue
        xwininfo -id "$window" | grep -q 'Override Redirect State: yes' || continue
        height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
        [ "$height" -gt 40 ] && echo "$window" && return 0
    done
    return 1
}
menu_closed() { ! tray_menu >/dev/null; }

# Two presses on the icon closer together than the double-click interval
# make one double click, which activates nothing.
click_icon() {
    sleep 0.5
    xdotool mousemove --window "$ICON" 8 8 click "$1"
}

# Opens the tray menu and picks an item with the keys given. The pointer stays
# where the menu opened, so the keys reach the menu.
pick_from_menu() {
    click_icon 3
    wait_for 10 tray_menu || fail "the tray menu did not open on a right click"
    xdotool key "$@"
    wait_for 10 menu_closed || fail "the tray menu stayed open after choosing $*"
}

start_desktop
start_tolvane "$TOLVANE"
wait_for 10 icon_present || fail "no icon in the notification area"
ICON=$(tray_icon_window)

# Left click: hide, then show again. The hidden tray host never appears.
click_icon 1
wait_for 10 main_hidden || fail "a left click did not hide the main window"
running || fail "the program ended when its window was hidden"
click_icon 1
wait_for 10 main_visible || fail "a second left click did not show the main window"
xdotool search --onlyvisible --name '^Form1$' >/dev/null && fail "the tray host window appeared"

# The main window's Exit leaves the program in the tray; the menu's
# "Create New Batch File..." brings a main window back.
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Tolvane$' | head -1)" key alt+x
wait_for 10 main_hidden || fail "Exit did not close the main window"
running || fail "Exit ended the program although its icon is shown"
pick_from_menu c
wait_for 10 main_visible || fail "Create New Batch File did not bring the main window back"

# "Load Tray Icon on Startup" off from the tray: "0" is stored and the disable
# dialog opens with No focused; Enter answers No and puts "1" back.
pick_from_menu Down Return
wait_for 10 ini_has 'LoadOnStartup=0' || fail "switching off did not store 0: $(cat "$INI")"
wait_for 10 disable_dialog_visible || fail "the Disable Tray Icon dialog did not open"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Disable Tray Icon$')" key Return
wait_for 10 ini_has 'LoadOnStartup=1' || fail "No did not store 1: $(cat "$INI")"
wait_for 10 bash -c '! xdotool search --onlyvisible --name "^Disable Tray Icon$"' ||
    fail "the dialog stayed open after No"

# "Exit" in the menu ends the program at once.
pick_from_menu x
wait_for 10 ended || fail "Exit in the tray menu did not end the program"
wait "$TOLVANE_PID" || fail "the program ended with status $?"
echo "PASS e2e_tray"
