#!/usr/bin/env bash
# A new user's first batch file with the real binary: a step left empty and a
# missing folder are told and nothing is lost; then the file is written where
# the confirmation says, and "No" to another one leaves the program in the tray.
source "$(dirname "$0")/lib.sh"
TOLVANE=$1

windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }

# answer_box KEY: waits for a message box, focuses it and presses KEY.
answer_box() {
    wait_for 10 windows '^Tolvane V1\.0\.6$' || fail "no message box"
    xdotool windowfocus --sync "$(windows '^Tolvane V1\.0\.6$')" key "$1"
    wait_for 10 bash -c '! xdotool search --onlyvisible --name "^Tolvane V1\\.0\\.6$"' ||
        fail "the message box stayed"
}

start_desktop
start_tolvane "$TOLVANE"
main=$(windows '^Tolvane$')

# "&OK" with every step empty, then with a folder that does not exist yet.
xdotool windowfocus --sync "$main" key alt+o
answer_box Return
running || fail "the program ended"
xdotool windowfocus --sync "$main" type 'c:'
xdotool key Tab type 'c:\Programs'
xdotool key Tab type 'tool.exe --fast'
xdotool key Tab type 'tool.bat'
xdotool key alt+o
answer_box Return
running || fail "the program ended after a file error"
[ -n "$(windows '^Tolvane$')" ] || fail "the main window closed after a file error"
grep -q 'Path/Filename' "$INI" && fail "a path was stored after a file error"

# The folder now exists; the same answers, still in place, make the file.
mkdir -p "$HOME/Programs"
xdotool windowfocus --sync "$main" key alt+o
wait_for 10 windows '^Batch File Created$' || fail "no confirmation"
[ -z "$(windows '^Tolvane$')" ] || fail "the main window stayed open"
printf '%s' $'@echo off\r\nrem This batch file was created using Tolvane!\r\nrem You can get your own copy at tolvane.org\r\nc:\r\ncd c:\\Programs\r\ntool.exe --fast\r\nexit\r\n' >"$E2E_TMP/expected.bat"
cmp -s "$E2E_TMP/expected.bat" "$HOME/Programs/tool.bat" || fail "unexpected file: $(od -c "$HOME/Programs/tool.bat")"
grep -qxF 'Batch=c:\Programs\tool.bat' "$INI" || fail "path not stored: $(cat "$INI")"

# OK on the confirmation, then No: the program stays in the tray, unseen.
xdotool windowfocus --sync "$(windows '^Batch File Created$')" key space
answer_box n
sleep 0.5
running || fail "the program ended although its icon is shown"
[ -z "$(windows '^(Tolvane|Batch File Created)$')" ] || fail "a window is still shown"
[ -n "$(tray_icon_window)" ] || fail "the icon went away"
echo "PASS write_batch"
