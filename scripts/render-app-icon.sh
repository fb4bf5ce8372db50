#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG source:
#   resources/icons/hicolor/scalable/apps/org.velmora.Viewer.svg
#   -> resources/icons/hicolor/<N>x<N>/apps/org.velmora.Viewer.png
# The SVG is the one to edit (a lens ring in the accent colour on a dark
# rounded square); run this afterwards. Running it again writes the same files.
# Needs rsvg-convert (Debian: librsvg2-bin). The PNGs are committed, so the
# build needs no tool of its own for them.
# usage: bash scripts/render-app-icon.sh
set -euo pipefail

ICON_NAME=org.velmora.Viewer
SIZES=(32 64 128 256)

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
hicolor="$root/resources/icons/hicolor"
svg="$hicolor/scalable/apps/$ICON_NAME.svg"

if ! command -v rsvg-convert >/dev/null; then
    echo "render-app-icon: rsvg-convert is missing (apt-get install librsvg2-bin)" >&2
    exit 2
fi
if [ ! -f "$svg" ]; then
    echo "render-app-icon: $svg is missing" >&2
    exit 1
fi

for size in "${SIZES[@]}"; do
    dir="$hicolor/${size}x${size}/apps"
    mkdir -p "$dir"
    # Into a temporary file first, so an interrupted run leaves no half PNG.
    rsvg-convert --width "$size" --height "$size" --format png \
        --output "$dir/$ICON_NAME.png.tmp" "$svg"
    mv "$dir/$ICON_NAME.png.tmp" "$dir/$ICON_NAME.png"
done
echo "render-app-icon: ${#SIZES[@]} sizes (${SIZES[*]}) from $svg"
