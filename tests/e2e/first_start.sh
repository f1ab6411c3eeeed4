#!/usr/bin/env bash
# The first start on a desktop with a notification area: the main window and
# the tray icon appear, and the settings file holds the first-run defaults.
source "$(dirname "$0")/lib.sh"
TOLVANE=$1

start_desktop
start_tolvane "$TOLVANE"
wait_for 10 has_tray_icon || fail "no icon in the notification area"
wait_for 5 test -f "$INI" || fail "no settings file at $INI"
expected=$'[Settings]\nSettings=FirstTime\nLoadOnStartup=1\n\n\n[TolvaneConfirm]\nShowWindow=1\n\n\n[TrayIconSettings]\nEnable=1'
[ "$(cat "$INI")" = "$expected" ] || fail "unexpected settings: $(cat "$INI")"

# File > Exit with the icon shown keeps the program in the tray.
window=$(xdotool search --onlyvisible --name '^Tolvane$' | head -1)
main_window_gone() { ! xdotool search --onlyvisible --name '^Tolvane$'; }
for try in 1 2 3 4 5; do
    xdotool windowfocus --sync "$window" key alt+f 2>/dev/null || true
    sleep 0.3
    xdotool key x
    wait_for 3 main_window_gone && break
done
main_window_gone || fail "main window stayed"
sleep 0.5
running || fail "the program ended although its icon is shown"
has_tray_icon || fail "the icon went away"
echo "PASS first_start"
