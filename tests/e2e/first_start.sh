#!/usr/bin/env bash
# The first start on a desktop with a notification area: the main window and
# the tray icon appear, and the settings file holds the first-run defaults.
source "$(dirname "$0")/lib.sh"
TOLVANE=$1

start_desktop
start_tolvane "$TOLVANE"
wait_for 10 test -n "$(tray_icon_window)" || fail "no icon in the notification area"
wait_for 5 test -f "$INI" || fail "no settings file at $INI"
expected=$'[Settings]\nSettings=FirstTime\nLoadOnStartup=1\n\n\n[TolvaneConfirm]\nShowWindow=1\n\n\n[TrayIconSettings]\nEnable=1'
[ "$(cat "$INI")" = "$expected" ] || fail "unexpected settings: $(cat "$INI")"

# File > Exit with the icon shown keeps the program in the tray.
window=$(xdotool search --onlyvisible --name '^Tolvane$' | head -1)
xdotool windowfocus --sync "$window" key alt+f
sleep 0.3
xdotool key x
wait_for 10 bash -c '! xdotool search --onlyvisible --name "^Tolvane$"' || fail "main window stayed"
sleep 0.5
running || fail "the program ended although its icon is shown"
[ -n "$(tray_icon_window)" ] || fail "the icon went away"
echo "PASS first_start"
