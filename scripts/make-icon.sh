#!/usr/bin/env bash
# Renders the program icon's PNGs from its SVG: the 32x32, 16-colour image
# shown at normal scale, and smooth 48, 64 and 128 pixel images for scaled
# screens (1.5x, 2x, 4x) and large menu icons. Needs rsvg-convert
# (librsvg2-bin) and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/../resources"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rsvg-convert -w 32 -h 32 tolvane.svg -o "$work/tolvane-full.png"
convert "$work/tolvane-full.png" -alpha off +dither -colors 16 -type Palette \
    -define png:exclude-chunks=date,time PNG8:tolvane.png
for size in 48 64 128; do
    rsvg-convert -w "$size" -h "$size" tolvane.svg -o "$work/tolvane-$size.png"
    # No alpha channel, like the 32x32 image: the icon is square and opaque.
    convert "$work/tolvane-$size.png" -alpha off -strip -define png:exclude-chunks=date,time \
        "tolvane-$size.png"
done
