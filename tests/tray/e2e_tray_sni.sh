#!/usr/bin/env bash
# The tray icon on a StatusNotifierItem host, which shows the item's own menu
# instead of reporting the context click: the tray menu is handed to it,
# works from there, and an explicit request for the menu opens it only once.
source "$(dirname "$0")/../e2e/lib.sh"
TOLVANE=$1
WATCHER=$2

main_visible() { xdotool search --onlyvisible --name '^Tolvane$' >/dev/null 2>&1; }
main_hidden() { ! main_visible; }
ended() { ! running; }
disable_dialog_visible() { xdotool search --onlyvisible --name '^Disable Tray Icon$' >/dev/null 2>&1; }
ini_has() { grep -qx "$1" "$INI"; }
item_registered() { [ -s "$E2E_TMP/items" ]; }

# Visible pop-up windows of the program taller than a tool tip: open menus.
open_menus() {
    local window count=0
    for window in $(xdotool search --onlyvisible --pid "$TOLVANE_PID" 2>/dev/null); do
        xwininfo -id "$window" | grep -q 'Override Redirect State: yes' || continue
        [ "$(xwininfo -id "$window" | awk '/Height:/ {print $2}')" -gt 40 ] && count=$((count + 1))
    done
    echo "$count"
}
menu_open() { [ "$(open_menus)" -ge 1 ]; }
menu_closed() { [ "$(open_menus)" -eq 0 ]; }

item_call() {
    gdbus call --session --dest "$ITEM" --object-path /StatusNotifierItem \
        --method "org.kde.StatusNotifierItem.$1" -- "${@:2}" >/dev/null
}
menu_layout() {
    gdbus call --session --dest "$ITEM" --object-path "$MENU" \
        --method com.canonical.dbusmenu.GetLayout -- 0 -1 '[]'
}
# The host's click on the menu entry with the given label.
click_entry() {
    local id
    id=$(menu_layout | sed -n "s/.*<(\([0-9]*\), {[^}]*'label': <'$1'>.*/\1/p")
    [ -n "$id" ] || fail "no menu entry '$1' in: $(menu_layout)"
    gdbus call --session --dest "$ITEM" --object-path "$MENU" \
        --method com.canonical.dbusmenu.Event -- "$id" clicked '<0>' 0 >/dev/null
}

start_desktop --no-tray
read -r DBUS_SESSION_BUS_ADDRESS BUS_PID < <(dbus-daemon --session --fork --print-address=1 \
    --print-pid=1 | paste -s -d ' ')
export DBUS_SESSION_BUS_ADDRESS
PIDS+=("$BUS_PID")
"$WATCHER" >"$E2E_TMP/items" 2>"$E2E_TMP/watcher.log" &
PIDS+=($!)
wait_for 10 gdbus call --session --dest org.kde.StatusNotifierWatcher \
    --object-path /StatusNotifierWatcher --method org.freedesktop.DBus.Peer.Ping ||
    fail "the watcher did not start"

# The host reads the item back before it answers the registration; a program
# that waits on the host meanwhile would freeze until the D-Bus time-out.
started=$SECONDS
start_tolvane "$TOLVANE"
wait_for 10 item_registered || fail "the tray icon did not register with the host"
[ $((SECONDS - started)) -lt 10 ] || fail "start-up took $((SECONDS - started)) s"
[ -s "$E2E_TMP/watcher.log" ] && fail "the host could not read the item: $(cat "$E2E_TMP/watcher.log")"
ITEM=$(head -1 "$E2E_TMP/items")
MENU=$(gdbus call --session --dest "$ITEM" --object-path /StatusNotifierItem \
    --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem Menu |
    sed -n "s/.*'\(\/[^']*\)'.*/\1/p")
[ -n "$MENU" ] || fail "the tray icon offers no menu"

# The host sees the tray menu's items in order, the first one checked.
menu_layout | grep -q "'label': <'Load Tray Icon on Startup'>, 'toggle-state': <1>.*'label': <'_Create New Batch File...'>.*'label': <'_About'>.*'label': <'E_xit'>" ||
    fail "unexpected menu: $(menu_layout)"

# Activation hides and shows the main window.
item_call Activate 0 0
wait_for 10 main_hidden || fail "activation did not hide the main window"
item_call Activate 0 0
wait_for 10 main_visible || fail "activation did not show the main window"

# A host that asks the item for its menu gets it once, however often it asks.
item_call ContextMenu 20 20
wait_for 10 menu_open || fail "asking for the menu did not open it"
item_call ContextMenu 20 20
item_call ContextMenu 20 20
[ "$(open_menus)" -eq 1 ] || fail "the menu opened $(open_menus) times"
xdotool key Escape
wait_for 10 menu_closed || fail "Escape did not close the menu"

# Nor while the host shows its own copy: between the host's AboutToShow and
# its "closed" event a request for the menu opens nothing.
menu_call() {
    gdbus call --session --dest "$ITEM" --object-path "$MENU" \
        --method "com.canonical.dbusmenu.$1" -- "${@:2}" >/dev/null
}
menu_call AboutToShow 0
item_call ContextMenu 20 20
menu_layout >/dev/null # one more round trip: the request has been handled
[ "$(open_menus)" -eq 0 ] || fail "the menu opened over the host's own"
menu_call Event 0 closed '<0>' 0
item_call ContextMenu 20 20
wait_for 10 menu_open || fail "the menu did not open after the host closed its own"
xdotool key Escape
wait_for 10 menu_closed || fail "Escape did not close the menu"

# Entries clicked in the host's menu act like the program's own.
click_entry 'Load Tray Icon on Startup'
wait_for 10 ini_has 'LoadOnStartup=0' || fail "switching off did not store 0: $(cat "$INI")"
wait_for 10 disable_dialog_visible || fail "the Disable Tray Icon dialog did not open"
menu_layout | grep -q "'label': <'Load Tray Icon on Startup'>, 'toggle-state': <0>" ||
    fail "the host's menu still shows the checkmark: $(menu_layout)"
click_entry 'E_xit'
wait_for 10 ended || fail "Exit in the host's menu did not end the program"
echo "PASS e2e_tray_sni"
