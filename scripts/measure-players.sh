#!/usr/bin/env bash
# Measures three Video elements playing a 720p three-channel recording (one
# view at 1280 x 720, two at 640 x 360) under Xvfb, first with the software
# scene graph (software render path), then with OpenGL on Mesa's llvmpipe
# (forced, as the viewer itself would pick the software path there).
# Each run also reports the memory and threads the views add. The recording
# is encoded once into build/bench-data.
#   scripts/measure-players.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-10}"
cmake --preset dev >/dev/null
cmake --build --preset dev --target measure_players
screen=(-s "-screen 0 1920x1200x24")
echo "== software path"
QT_QUICK_BACKEND=software xvfb-run -a "${screen[@]}" build/bin/measure_players --seconds "$seconds"
echo "== OpenGL path (llvmpipe)"
env -u QT_QUICK_BACKEND VELMORA_VIDEO_RENDERER=opengl \
    xvfb-run -a "${screen[@]}" build/bin/measure_players --seconds "$seconds"
