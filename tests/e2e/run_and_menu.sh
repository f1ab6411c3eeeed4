#!/usr/bin/env bash
# "Run" and "Add to Menu" with the real binary and the keyboard alone: a batch
# file whose program is a Windows stand-in (a .cmd that writes where it runs)
# in a folder named with blanks, & % ' ( ) ^ and $, started by Alt+R, then from the
# entry Alt+M wrote, by gio launch and by gtk-launch.
source "$(dirname "$0")/lib.sh"
TOLVANE=$1
export XDG_DATA_HOME="$E2E_TMP/share" WINEDEBUG=-all

windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }

# A Wine prefix, whose drives Tolvane maps and Run needs.
{ wine cmd /c echo && wineserver -w; } >/dev/null 2>&1 || fail "Wine cannot set up its prefix"
name="Tom & Jerry 100% it's (1) ^ \$x"
folder="$WINEPREFIX/drive_c/$name"
mkdir -p "$folder"
printf '@cd> marker.txt\r\n' >"$folder/mark.cmd"
# The stand-in ran, in its own folder reached through its drive.
ran_in_folder() { [ "$(tr -d '\r\n' <"$folder/marker.txt")" = "c:\\$name" ]; }

start_desktop --no-tray
start_tolvane "$TOLVANE"
xdotool windowfocus --sync "$(windows '^Tolvane$')" type 'c:'
xdotool key Tab type "c:\\$name"
xdotool key Tab type 'mark.cmd'
xdotool key Tab type 'go.bat'
xdotool key alt+o
wait_for 10 windows '^Batch File Created$' || fail "no confirmation: $(cat "$E2E_TMP/tolvane.log")"
confirm=$(windows '^Batch File Created$')

xdotool windowfocus --sync "$confirm" key alt+r
wait_for 120 ran_in_folder || fail "Run left no marker in $folder"
rm "$folder/marker.txt"

xdotool windowfocus --sync "$confirm" key alt+m
wait_for 10 compgen -G "$XDG_DATA_HOME/applications/org.tolvane.Tolvane.Batch_*.desktop" ||
    fail "Add to Menu wrote no entry"
entry=$(compgen -G "$XDG_DATA_HOME/applications/org.tolvane.Tolvane.Batch_*.desktop")
id=$(basename "$entry")
desktop-file-validate "$entry" || fail "the entry does not validate"
[ -s "$XDG_DATA_HOME/icons/${id%.desktop}.png" ] || fail "no picture beside the entry"
for launch in "gio launch $entry" "gtk-launch $id"; do
    # shellcheck disable=SC2086 # the words of the launcher
    $launch >"$E2E_TMP/launch.log" 2>&1 || fail "$launch: $(cat "$E2E_TMP/launch.log")"
    wait_for 120 ran_in_folder || fail "$launch left no marker: $(cat "$entry")"
    rm "$folder/marker.txt"
done
[ -n "$(windows '^Batch File Created$')" ] || fail "the confirmation closed"
running || fail "the program ended"
wineserver -k 2>/dev/null || true
echo "PASS run_and_menu"
