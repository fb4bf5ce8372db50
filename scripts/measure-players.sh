#!/usr/bin/env bash
# Measures three Video elements playing a three-channel recording (one view
# at 1280 x 720, two at 640 x 360) under Xvfb. The recordings are encoded
# once into build/bench-data.
#
#   scripts/measure-players.sh [SECONDS]
#     720p, with the software scene graph (software render path), then with
#     OpenGL on Mesa's llvmpipe (forced, as the viewer itself would pick the
#     software path there); then a 1920 x 1080 front with two 1280 x 720
#     channels on both paths. Each run reports CPU, dropped frames, memory,
#     threads and the spread of the views, with the small views kept in step
#     as in the viewer.
#   scripts/measure-players.sh --spread [SECONDS]
#     the spread of the three views on the software path over SECONDS
#     (default 60), without and with the views kept in step, once on an idle
#     machine and once with two busy processes competing for the cores.
set -euo pipefail
cd "$(dirname "$0")/.."
spread=0
if [ "${1:-}" = "--spread" ]; then
    spread=1
    shift
fi
seconds="${1:-$([ "$spread" = 1 ] && echo 60 || echo 10)}"
cmake --preset dev >/dev/null
cmake --build --preset dev --target measure_players
screen=(-s "-screen 0 1920x1200x24")
software() { QT_QUICK_BACKEND=software xvfb-run -a "${screen[@]}" build/bin/measure_players "$@"; }
opengl() {
    env -u QT_QUICK_BACKEND VELMORA_VIDEO_RENDERER=opengl \
        xvfb-run -a "${screen[@]}" build/bin/measure_players "$@"
}

if [ "$spread" = 0 ]; then
    for size in 720p 1080p; do
        echo "== software path, $size"
        software --seconds "$seconds" --size "$size" --sync
        echo "== OpenGL path (llvmpipe), $size"
        opengl --seconds "$seconds" --size "$size" --sync
    done
    exit 0
fi

busy=()
stop_busy() {
    if [ "${#busy[@]}" -gt 0 ]; then
        kill "${busy[@]}" 2>/dev/null || true
    fi
    busy=()
}
trap stop_busy EXIT
for load in idle busy; do
    if [ "$load" = busy ]; then
        yes >/dev/null &
        busy+=($!)
        yes >/dev/null &
        busy+=($!)
    fi
    for sync in "" --sync; do
        echo "== software path, $load machine, ${sync:-no sync}"
        software --seconds "$seconds" $sync | grep -E "^(CPU|spread|large|cam)"
    done
    stop_busy
done
