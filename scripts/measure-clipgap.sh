#!/usr/bin/env bash
# Measures the gap the viewer shows between one recording and the next when
# a clip ends: the demo card's five consecutive drive clips play through the
# real main window under Xvfb (software path), each sought to 1.5 s before
# its end, and bench/measure_clipgap.qml prints each gap and where it went.
#   scripts/measure-clipgap.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds="${1:-2}"
cmake --preset dev >/dev/null
cmake --build --preset dev --target velmora-viewer velmora-tool
card="$(mktemp -d)"
trap 'rm -rf "$card"' EXIT
build/bin/velmora-tool make-demo-card "$card" >/dev/null
mapfile -t clips < <(find "$card/Drive" -name 'R_*_T_N.avi' | sort | head -5)
for ((i = 1; i <= rounds; ++i)); do
    echo "== round $i"
    QT_LOGGING_RULES="velmora.*.debug=false" VELMORA_MAP_TILE_URL="" \
        xvfb-run -a -s "-screen 0 1920x1200x24" build/bin/velmora-viewer --card "$card" \
        --scene "file://$PWD/bench/measure_clipgap.qml" "${clips[@]}" 2>&1 |
        grep "clip gap" || true
done
