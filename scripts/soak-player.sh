#!/usr/bin/env bash
# Hours of playback, shortened: the real main window plays COUNT recordings
# one after another under Xvfb on the software path, cycling over the demo
# card's trip (five 20 s clips, each sought to 1.5 s before its end, so the
# auto-advance runs at every clip; bench/soak_player.qml drives it). Reads the
# viewer's resident memory, open files (/proc/PID/fd) and threads after 10
# recordings and after COUNT (and every 50 between), and fails when memory
# grew by more than 20 MB, or the files or threads grew at all.
#   scripts/soak-player.sh [COUNT]    # default 300; about 3 s a recording
# Not part of the test run: it takes a quarter of an hour at 300.
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-300}
if ! [[ "$count" =~ ^[0-9]+$ ]] || [ "$count" -lt 10 ]; then
  echo "usage: $0 [COUNT]   (COUNT: 10 or more recordings)" >&2
  exit 2
fi

cmake --preset dev >/dev/null
cmake --build --preset dev --target velmora-viewer velmora-tool >/dev/null
work=$(mktemp -d)
viewer_pid=""
cleanup() {
  [ -z "$viewer_pid" ] || kill "$viewer_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
build/bin/velmora-tool make-demo-card "$work/card" >/dev/null
mapfile -t clips < <(find "$work/card/Drive" -name 'R_*_T_N.avi' | sort)

log="$work/viewer.log"
# The inner shell writes its process id (the viewer's after exec).
# shellcheck disable=SC2016
QT_QUICK_BACKEND=software VELMORA_VIDEO_RENDERER=software VELMORA_MAP_TILE_URL="" \
  QT_LOGGING_RULES="velmora.*.debug=false" \
  xvfb-run -a -s "-screen 0 1920x1200x24" \
  sh -c 'echo $$ >"$0"; exec "$@"' "$work/pid" build/bin/velmora-viewer --card "$work/card" \
  --scene "file://$PWD/bench/soak_player.qml" "${clips[@]}" >"$log" 2>&1 &
runner=$!
for _ in $(seq 100); do [ -s "$work/pid" ] && break; sleep 0.1; done
viewer_pid=$(cat "$work/pid")

# RSS (kB), open files and threads of the viewer now.
sample() {
  local rss threads files
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$viewer_pid/status")
  threads=$(awk '/^Threads:/ { print $2 }' "/proc/$viewer_pid/status")
  files=$(find "/proc/$viewer_pid/fd" -mindepth 1 -maxdepth 1 | wc -l)
  echo "$rss $files $threads"
}

echo "| recordings | resident memory | open files | threads |"
echo "|---:|---:|---:|---:|"
first=""
last=""
started=$(date +%s)
next=10
while [ "$next" -le "$count" ]; do
  # One recording takes about 3 s; a stall of two minutes is a failure.
  waited=0
  until grep -q "^qml: soak: $next recordings" "$log"; do
    if ! kill -0 "$viewer_pid" 2>/dev/null || [ "$waited" -gt 1200 ]; then
      echo "soak-player: the viewer stopped or stalled before recording $next" >&2
      tail -n 20 "$log" >&2
      exit 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  read -r rss files threads < <(sample)
  awk -v n="$next" -v r="$rss" -v f="$files" -v t="$threads" \
    'BEGIN { printf "| %d | %.1f MB | %d | %d |\n", n, r / 1024, f, t }'
  [ -n "$first" ] || first="$rss $files $threads"
  last="$rss $files $threads"
  if [ "$next" -eq "$count" ]; then break; fi
  next=$(((next / 50 + 1) * 50))
  [ "$next" -le "$count" ] || next=$count
done
kill "$viewer_pid" 2>/dev/null || true
wait "$runner" 2>/dev/null || true
viewer_pid=""

read -r rss0 files0 threads0 <<<"$first"
read -r rss1 files1 threads1 <<<"$last"
growth=$(((rss1 - rss0) / 1024))
echo "soak-player: $count recordings in $(($(date +%s) - started)) s; from 10 to $count: memory" \
  "$growth MB, open files $((files1 - files0)), threads $((threads1 - threads0))"
if [ $((rss1 - rss0)) -gt $((20 * 1024)) ] || [ "$files1" -gt "$files0" ] ||
  [ "$threads1" -gt "$threads0" ]; then
  echo "soak-player: FAILED (at most 20 MB more memory and no more files or threads)" >&2
  exit 1
fi
