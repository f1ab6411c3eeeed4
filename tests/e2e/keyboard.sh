#!/usr/bin/env bash
# The keyboard alone, with the real binary: Enter in a text box writes
# nothing; Enter presses the focused button in the main window, the program
# picker, the confirmation and About; Tab and Space pick the picker's only file.
source "$(dirname "$0")/lib.sh"
TOLVANE=$1

windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
shown() { [ -n "$(windows "$1")" ]; }
gone() { [ -z "$(windows "$1")" ]; }
keys() { xdotool key --delay 50 "$@"; }

start_desktop
# The program picker opens at the folder the program was started in.
mkdir -p "$HOME/Programs"
: >"$HOME/Programs/tool.exe"
cd "$HOME/Programs"
start_tolvane "$TOLVANE"
xdotool windowfocus --sync "$(windows '^Tolvane$')"

# About's OK, a tool button, has the focus and takes Enter.
keys alt+h a
wait_for 10 shown '^About Tolvane$' || fail "no About window"
xdotool windowfocus --sync "$(windows '^About Tolvane$')"
keys Return
wait_for 10 gone '^About Tolvane$' || fail "Enter did not press About's OK"

xdotool windowfocus --sync "$(windows '^Tolvane$')"
xdotool type 'c:'
keys Tab
xdotool type 'c:\Programs'
keys Tab Tab
xdotool type 'tool.bat'
# No default button: Enter in a box neither writes nor complains.
keys Return
sleep 0.5
gone '^Tolvane V1\.0\.6$' || fail "Enter in a text box pressed a button"
[ -e "$HOME/Programs/tool.bat" ] && fail "Enter in a text box wrote the file"

# From step 4: OK, the step 2 Browse, the step 3 Browse.
keys Tab Tab Tab Return
wait_for 10 shown '^Open Program Directory$' || fail "Enter did not press the step 3 Browse"
# The file list comes after Cancel; Shift+Tab from the drive list reaches it.
xdotool windowfocus --sync "$(windows '^Open Program Directory$')"
keys shift+Tab space
# Then round to OK: the drive list, the directory list, the name box, OK.
keys Tab Tab Tab Tab Return
wait_for 10 gone '^Open Program Directory$' || fail "Enter did not press the picker's OK"

# Back in the main window on the step 3 Browse: OK is two to the left.
xdotool windowfocus --sync "$(windows '^Tolvane$')"
keys shift+Tab shift+Tab Return
wait_for 10 shown '^Batch File Created$' || fail "Enter did not press OK: $(cat "$E2E_TMP/tolvane.log")"
line6=$(sed -n 6p "$HOME/Programs/tool.bat" | tr -d '\r')
[ "$line6" = tool.exe ] || fail "line 6 is '$line6', not the file picked with the keyboard"

# The confirmation's OK has the focus; then No to another file.
xdotool windowfocus --sync "$(windows '^Batch File Created$')"
keys Return
wait_for 10 shown '^Tolvane V1\.0\.6$' || fail "Enter did not press the confirmation's OK"
xdotool windowfocus --sync "$(windows '^Tolvane V1\.0\.6$')" key n
wait_for 10 gone '^Tolvane V1\.0\.6$' || fail "the question stayed"
echo "PASS keyboard"
