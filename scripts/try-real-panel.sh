#!/usr/bin/env bash
# By hand, not in CI: Tolvane on a real panel (Debian's lxqt-panel or
# xfce4-panel) on a private X display with a fresh session bus, several
# times. Each run says how long the main window took to be painted and
# whether the panel holds the icon, once with the panel up before Tolvane
# and once with the panel started two seconds after it.
# Usage: scripts/try-real-panel.sh BUILD_DIR/src/tolvane [lxqt-panel|xfce4-panel] [RUNS]
source "$(dirname "$0")/../tests/e2e/lib.sh"
TOLVANE=$(realpath "$1")
PANEL=${2:-lxqt-panel}
RUNS=${3:-4}
command -v "$PANEL" >/dev/null || fail "$PANEL is not installed (apt-get install $PANEL)"

watcher() {
    gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher \
        --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher "$1"
}
icon_held() { watcher RegisteredStatusNotifierItems | grep -q StatusNotifierItem || has_tray_icon; }
# Painted: the window's picture has more than a couple of colours.
painted() {
    local window
    window=$(xdotool search --onlyvisible --name '^Tolvane$' | head -1)
    [ -n "$window" ] && [ "$(import -window "$window" png:- | identify -format '%k' -)" -gt 4 ]
}
now_ms() { date +%s%3N; }

start_desktop --no-tray
# lxqt-panel without a session finds no layout of its own; give it Debian's.
if [ "$PANEL" = lxqt-panel ]; then
    mkdir -p "$XDG_CONFIG_HOME/lxqt"
    cp /usr/share/lxqt/panel.conf "$XDG_CONFIG_HOME/lxqt/"
fi
for run in $(seq "$RUNS"); do
    for order in panel-first panel-late; do
        read -r DBUS_SESSION_BUS_ADDRESS bus < <(dbus-daemon --session --fork --print-address=1 \
            --print-pid=1 | paste -s -d ' ')
        export DBUS_SESSION_BUS_ADDRESS
        rm -rf "$XDG_CONFIG_HOME/Tolvane"
        if [ "$order" = panel-first ]; then
            "$PANEL" >/dev/null 2>&1 & panel=$!
            wait_for 10 watcher IsStatusNotifierHostRegistered || fail "$PANEL offers no host"
        fi
        started=$(now_ms)
        "$TOLVANE" >/dev/null 2>&1 & tolvane=$!
        wait_for 30 painted || echo "run $run $order: no painted window after 30 s"
        painted_ms=$(($(now_ms) - started))
        if [ "$order" = panel-late ]; then
            sleep 2
            "$PANEL" >/dev/null 2>&1 & panel=$!
        fi
        held=no
        wait_for 10 icon_held && held=yes
        echo "run $run $order: main window painted after $painted_ms ms, icon in the panel: $held"
        kill "$tolvane" "$panel" "$bus" 2>/dev/null || true
        wait "$tolvane" "$panel" 2>/dev/null || true
    done
done
