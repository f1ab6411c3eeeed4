#!/usr/bin/env bash
# Takes the README's screenshot of the main window on a private X display.
set -euo pipefail
cd "$(dirname "$0")/.."
binary=${1:-build/src/tolvane}
out=${2:-docs/main-window.png}
source tests/e2e/lib.sh
start_desktop
start_tolvane "$binary"
sleep 1
window=$(xdotool search --onlyvisible --name '^Tolvane$' | head -1)
import -window "$window" "$out"
echo "wrote $out"
