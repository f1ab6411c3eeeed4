#!/usr/bin/env bash
# What a screen reader is told about each window, read through AT-SPI on a
# private session bus whose accessibility bus runs before the program starts.
source "$(dirname "$0")/lib.sh"
TOLVANE=$1

start_desktop
read -r DBUS_SESSION_BUS_ADDRESS BUS_PID < <(dbus-daemon --session --fork --print-address=1 \
    --print-pid=1 | paste -s -d ' ')
export DBUS_SESSION_BUS_ADDRESS
PIDS+=("$BUS_PID")
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
PIDS+=($!)
wait_for 10 gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.a11y.Bus.GetAddress || fail "the accessibility bus did not start"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
start_tolvane "$TOLVANE"
# The system Python, which the Debian package of pyatspi is for.
/usr/bin/python3 "$(dirname "$0")/accessibility.py" || fail "$(cat "$E2E_TMP/tolvane.log")"
