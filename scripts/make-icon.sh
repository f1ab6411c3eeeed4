#!/usr/bin/env bash
# Renders the program icon's 32x32, 16-colour PNG from its SVG.
set -euo pipefail
cd "$(dirname "$0")/../resources"
rsvg-convert -w 32 -h 32 tolvane.svg -o /tmp/tolvane-full.png
convert /tmp/tolvane-full.png -alpha off +dither -colors 16 -type Palette PNG8:tolvane.png
