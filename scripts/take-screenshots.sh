#!/usr/bin/env bash
# Pictures of the main window playing a demo card's three-channel recordings,
# the viewer settings screen and the Share clip dialog over them, and the
# pages of a printed report.
# Usage: scripts/take-screenshots.sh [OUTDIR] (default docs/screenshots).
# Builds in the "dev" preset's folder, or in VELMORA_BUILD_DIR when set. A
# failed picture does not stop the others; the script then ends with status 1.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

out=${1:-docs/screenshots}
mkdir -p "$out" || exit 1
if [ -n "${VELMORA_BUILD_DIR:-}" ]; then
  build=$VELMORA_BUILD_DIR
  cmake --build "$build" --target velmora-screenshots velmora-tool || exit 1
else
  build=build
  [ -f build/CMakeCache.txt ] || cmake --preset dev || exit 1
  cmake --build --preset dev --target velmora-screenshots velmora-tool || exit 1
fi

bin=$build/bin
card=$(mktemp -d)
tiles=$(mktemp -d)
trap 'rm -rf "$card" "$tiles"' EXIT
"$bin/velmora-tool" make-demo-card "$card" || exit 1
# The map draws made-up demo tiles around the card's drives (Barcelona, Buenos
# Aires) from an offline folder, and asks no tile server for anything.
"$bin/velmora-tool" map-tiles "$tiles" 41.380 2.150 41.405 2.180 --zoom 14-17 >/dev/null || exit 1
"$bin/velmora-tool" map-tiles "$tiles" -34.615 -58.395 -34.590 -58.370 --zoom 14-17 >/dev/null ||
  exit 1
export VELMORA_MAP_TILE_URL="" VELMORA_MAP_OFFLINE_DIR=$tiles VELMORA_MAP_CACHE_DIR=$tiles/cache

export VELMORA_AUDIO_OUTPUT=null # no sound device under Xvfb
status=0
shot() { # FILE SIZE SCENARIO
  echo "$1: $3 at $2"
  rm -f "$out/$1"
  if ! xvfb-run -a -s "-screen 0 1920x1080x24" "$bin/velmora-screenshots" --card "$card" \
      --size "$2" --scenario "$3" --out "$out/$1" >"$card.log" 2>&1; then
    grep '^velmora-screenshots:' "$card.log" >&2 || tail -n 5 "$card.log" >&2
    echo "$1: FAILED" >&2
    status=1
  fi
  rm -f "$card.log"
}

shot main-1920x1080.png 1920x1080 toolbar
shot main-1280x720.png 1280x720 toolbar
shot toolbar.png 1280x720 toolbar
shot zoomed.png 1280x720 zoomed
shot fullscreen.png 1280x720 fullscreen
shot compact.png 1280x720 compact
shot impact.png 1920x1080 impact
shot report-1920x1080.png 1920x1080 report
shot report-1280x720.png 1280x720 report
shot share-1280x720.png 1280x720 share
shot share-progress.png 1280x720 share-progress
shot settings-viewer-1920x1080.png 1920x1080 settings-viewer
shot settings-viewer-compact.png 1280x720 settings-viewer-compact
shot settings-camera-1920x1080.png 1920x1080 settings-camera
shot settings-camera-compact.png 1280x720 settings-camera-compact

# The printed report of the impact recording at its shock, made from the
# recording alone: the report page and the evidence page.
pdfpages() { # NAME
  local pdf=$card/report.pdf
  echo "$1: report of the impact recording"
  if "$bin/velmora-tool" report --recording "$card/DriveEvent/R_20261206_081652_T_E.avi" --at 10 \
      --note "Hit from behind while waiting at the lights." --pdf "$pdf" 2>"$card.log" &&
    pdftoppm -r 80 -png "$pdf" "$card/page"; then
    mv "$card/page-1.png" "$out/$1-page.png" && mv "$card/page-2.png" "$out/$1-evidence.png" ||
      status=1
  else
    cat "$card.log" >&2
    echo "$1: FAILED" >&2
    status=1
  fi
  rm -f "$card.log"
}
pdfpages report-pdf

# A frame of a shared clip: three 720p cameras with the caption, taken by
# ffmpeg from the MP4 that velmora-tool share-clip writes.
sharedframe() { # NAME
  local rec=$card/R_20261206_081512_T_N.avi clip=$card/shared.mp4
  echo "$1: a frame of a shared clip"
  if "$bin/velmora-tool" make-recording "$rec" --channels 3 --seconds 8 --hevc \
      --hevc-size 1280x720 >/dev/null 2>"$card.log" &&
    "$bin/velmora-tool" share-clip "$rec" --out "$clip" --from 2 --to 6 >/dev/null 2>>"$card.log" &&
    ffmpeg -v error -y -ss 1.5 -i "$clip" -frames:v 1 "$out/$1.png" 2>>"$card.log"; then
    :
  else
    cat "$card.log" >&2
    echo "$1: FAILED" >&2
    status=1
  fi
  rm -f "$card.log"
}
sharedframe share-clip-frame
exit $status
