#!/usr/bin/env bash
# A desktop without a notification area: closing the main window must end the
# program instead of leaving it running out of reach.
source "$(dirname "$0")/lib.sh"
TOLVANE=$1

start_desktop --no-tray
start_tolvane "$TOLVANE"
window=$(xdotool search --onlyvisible --name '^Tolvane$' | head -1)
xdotool windowfocus --sync "$window" key alt+x
wait_for 10 bash -c "! kill -0 $TOLVANE_PID" || fail "the program kept running with nothing to show"
echo "PASS no_tray"
