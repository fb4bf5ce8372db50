#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds the viewer and starts it. When no camera
# card (volume label DASHCAM) is mounted, the viewer opens a generated demo card.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
cmake --preset dev
cmake --build --preset dev --target velmora-viewer velmora-tool

bin=build/bin
if [ -n "$("$bin/velmora-tool" cards)" ]; then
  exec "$bin/velmora-viewer" "$@"
fi
demo=build/demo-card
"$bin/velmora-tool" make-demo-card "$demo"
echo "No camera card is mounted: opening the demo card in $demo"
exec "$bin/velmora-viewer" --card "$demo" "$@"
