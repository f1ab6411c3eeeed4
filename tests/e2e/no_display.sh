#!/usr/bin/env bash
# Started outside a graphical session, Tolvane says so in one line and ends
# with an error, instead of Qt's abort; a platform named outright still runs.
source "$(dirname "$0")/lib.sh"
TOLVANE=$1

set +e
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$TOLVANE" >"$E2E_TMP/out" 2>"$E2E_TMP/err"
status=$?
set -e
[ "$status" -eq 1 ] || fail "ended with $status, not 1: $(cat "$E2E_TMP/err")"
[ "$(wc -l <"$E2E_TMP/err")" -eq 1 ] && grep -q 'no graphical session' "$E2E_TMP/err" ||
    fail "said: $(cat "$E2E_TMP/err")"
[ ! -s "$E2E_TMP/out" ] || fail "wrote to standard output: $(cat "$E2E_TMP/out")"

# still_running PID: the program did not end at once.
still_running() {
    PIDS+=("$1")
    sleep 1
    kill -0 "$1" 2>/dev/null || fail "$2 ended: $(cat "$E2E_TMP/err")"
    kill "$1"
}
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "$TOLVANE" 2>"$E2E_TMP/err" &
still_running $! "QT_QPA_PLATFORM=offscreen"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$TOLVANE" -platform offscreen 2>"$E2E_TMP/err" &
still_running $! "-platform offscreen"
echo "PASS no_display"
