# Shared helpers for the end-to-end tests: a private X display with a
# notification area, a private settings folder, and polling helpers.
set -euo pipefail

E2E_TMP=$(mktemp -d)
export HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/home/.config" WINEPREFIX="$E2E_TMP/wine"
mkdir -p "$HOME"
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
export QT_QPA_PLATFORM=xcb
INI="$XDG_CONFIG_HOME/Tolvane/Tolvane.ini"
PIDS=()

cleanup() {
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# wait_for SECONDS COMMAND...: polls until COMMAND succeeds.
wait_for() {
    local limit=$1; shift
    local end=$((SECONDS + limit))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $end ] || return 1
        sleep 0.1
    done
}

# start_xvfb: one X server on a display number picked at random from a
# wide range. The lowest free number (Xvfb -displayfd) is a poor choice when
# tests run side by side: a neighbour's server that is just shutting down on
# that number removes the new server's socket on its way out.
start_xvfb() {
    local number=$((100 + RANDOM % 3900))
    [ -e "/tmp/.X$number-lock" ] && return 1
    # -noreset: otherwise the server resets when its last client (the
    # xdpyinfo below) leaves, and a program connecting meanwhile is refused.
    Xvfb ":$number" -noreset -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    PIDS+=($!)
    export DISPLAY=":$number"
    wait_for 10 xdpyinfo
}

# start_desktop [--no-tray]: a private X display, with trayer as the
# notification area unless told otherwise. Tried a few times, since a display
# number can be taken by a neighbour's X server at the same moment.
start_desktop() {
    local try
    for try in 1 2 3 4 5; do
        start_xvfb || continue
        [ "${1:-}" = "--no-tray" ] && return 0
        start_trayer && return 0
    done
    fail "no X display with a notification area could be started"
}

# start_trayer: trayer as the notification area of the display; its process
# id in TRAYER_PID.
start_trayer() {
    trayer --edge top --align left --widthtype pixel --width 200 --height 32 \
        --SetDockType false --SetPartialStrut false --expand false >/dev/null 2>&1 &
    TRAYER_PID=$!
    PIDS+=($TRAYER_PID)
    wait_for 10 xdotool search --class trayer
}

# start_tolvane BINARY: starts the program and waits for its main window.
start_tolvane() {
    "$1" >"$E2E_TMP/tolvane.log" 2>&1 &
    TOLVANE_PID=$!
    PIDS+=($TOLVANE_PID)
    wait_for 15 xdotool search --onlyvisible --name '^Tolvane$' || fail "no main window"
}

running() { kill -0 "$TOLVANE_PID" 2>/dev/null; }

# The tray icon: the program's window embedded in trayer's panel.
tray_icon_window() {
    xwininfo -root -tree | awk '/"panel"/ {inpanel = 1; next}
        inpanel && /"Tolvane"/ {print $1; exit}'
}

has_tray_icon() { [ -n "$(tray_icon_window)" ]; }
