#!/usr/bin/env bash
# Damaged and awkward inputs through the viewer's play path (the main window
# on the file, tests/scenes/playmain.qml loaded by velmora-viewer --scene) and through
# velmora-tool (info, telemetry, export-channel, share-clip, copy), and
# bad config.txt files through config show and config set. Each
# case must end with the result listed below, within 10 s
# (killed otherwise), and leave its input as it was (SHA-256 before and after).
# Prints the table (Markdown) and exits 1 when any case differs.
#   scripts/check-bad-files.sh [BINDIR]     # default build/bin
# Without a display it runs the viewer under xvfb-run.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
root=$PWD
bin=$(cd "${1:-build/bin}" && pwd)
tool="$bin/velmora-tool"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QUICK_BACKEND=software VELMORA_VIDEO_RENDERER=software
export QT_LOGGING_RULES="velmora.*.debug=false;velmora.player.debug=true"
viewer=("$bin/velmora-viewer")
[ -n "${DISPLAY:-}" ] || viewer=(xvfb-run -a "$bin/velmora-viewer")

# ---- the inputs ----
make_recording() { # OUT [make-recording options...]
  "$tool" make-recording "$@" >"$work/make.json" || exit 1
}
json_field() { sed -n "s/.*\"$1\":\\([0-9]*\\).*/\\1/p" "$work/make.json"; }
random_bytes() { # COUNT SEED: the same bytes every run
  perl -e 'srand($ARGV[1]); print pack("C*", map { int(rand(256)) } 1 .. $ARGV[0]);' "$@"
}
patch_le32() { # FILE OFFSET VALUE
  perl -e 'open(F, "+<", $ARGV[0]) or die; seek(F, $ARGV[1], 0); print F pack("V", $ARGV[2]);' "$@"
}

rec="$work/rec"
mkdir -p "$rec" "$work/out"
good="R_20261206_081512_T_N.avi"
make_recording "$rec/$good" --channels 3 --seconds 2 --hevc

declare -a cases=()
add() { cases+=("$1"); } # label|file|player|info telemetry export-channel share-clip copy

: >"$rec/R_20261206_090000_T_N.avi"
add "zero-length file|R_20261206_090000_T_N.avi|refuses|3 3 3 3 0"
head -c 1024 "$rec/$good" >"$rec/R_20261206_090100_T_N.avi"
add "cut at 1 kB (in the first frame)|R_20261206_090100_T_N.avi|refuses|0 0 0 3 0"
head -c 300 "$rec/$good" >"$rec/R_20261206_090200_T_N.avi"
add "cut in the header (300 bytes)|R_20261206_090200_T_N.avi|refuses|3 3 3 3 0"
# Half way through: inside a picture (they are most of the bytes).
make_recording "$rec/R_20261206_090300_T_N.avi" --channels 3 --seconds 2 --hevc \
  --truncate $(($(stat -c %s "$rec/$good") / 2))
add "cut in the middle of a frame|R_20261206_090300_T_N.avi|plays|0 0 0 0 0"
random_bytes 300000 19 >"$rec/R_20261206_090400_T_N.avi"
add "random bytes named like a recording|R_20261206_090400_T_N.avi|refuses|3 3 3 3 0"
ffmpeg -v error -f lavfi -i sine=duration=2 -c:a pcm_s16le "$rec/R_20261206_090500_S_N.avi"
add "an AVI with no video stream|R_20261206_090500_S_N.avi|plays|3 0 3 3 0"
ffmpeg -v error -f lavfi -i testsrc=size=160x90:duration=2 -map 0:v -map 0:v -map 0:v -map 0:v \
  -c:v mpeg4 "$rec/R_20261206_090600_T_N.avi"
add "an AVI with 4 video streams|R_20261206_090600_T_N.avi|plays|3 0 3 0 0"
cp "$rec/$good" "$rec/R_20261206_090700_T_N.avi"
# dwTotalFrames of the main header and dwLength of the front stream: 100000.
patch_le32 "$rec/R_20261206_090700_T_N.avi" 48 100000
patch_le32 "$rec/R_20261206_090700_T_N.avi" 140 100000
add "header claims 100000 frames (60 there)|R_20261206_090700_T_N.avi|plays|0 0 0 0 0"
make_recording "$rec/R_20261206_090800_T_N.avi" --channels 3 --seconds 2 --hevc
entries=$(json_field indexEntries)
index=$((646 + 8 + $(json_field moviSize)))
# Every entry from the second half on points 1 GB past the end.
for ((e = entries / 2; e < entries; ++e)); do
  patch_le32 "$rec/R_20261206_090800_T_N.avi" $((index + 8 + 16 * e + 8)) 1073741824
done
add "idx1 pointing past the end|R_20261206_090800_T_N.avi|plays|0 0 0 0 0"
cp "$rec/$good" "$rec/R_20261206_090900_T_N.avi"
truncate -s 5G "$rec/R_20261206_090900_T_N.avi"
add "5 GB sparse file (a 2 s recording, then holes)|R_20261206_090900_T_N.avi|plays|0 0 0 0 -"
for name in "R_20261206_091000_T_N copy 2.avi" "R_20261206_091100_T_N#2.avi" \
  "R_20261206_091200_T_N 100%.avi" "R_20261206_091300_T_N_Ωδός_東京.avi" \
  "-R_20261206_091400_T_N.avi"; do
  cp "$rec/$good" "$rec/$name"
  add "name '$name'|$name|plays|0 0 0 0 0"
done

# ---- the config.txt cases: a card folder each ----
mkdir -p "$work/card-folder/config.txt" "$work/card-empty" "$work/card-binary"
: >"$work/card-empty/config.txt"
random_bytes 1048576 20 >"$work/card-binary/config.txt"

# ---- running ----
# run CMD...: rc is its exit code (124 after 10 s, 128+N for a signal).
run() {
  timeout -k 2 10 "$@" >"$work/stdout" 2>"$work/stderr"
  rc=$?
}
fingerprint() { # the SHA-256 of a file, or of a folder's listing
  if [ -d "$1" ]; then find "$1" -printf "%P %s %T@ %m\n" | sort | sha256sum; else sha256sum <"$1"; fi
}
first_message() { head -n 1 "$work/stderr" | sed "s|$work/||" | cut -c1-110; }

# The cells are printed from subshells: each unexpected result adds a line.
failed="$work/failed"
: >"$failed"
cell() { # EXPECTED exit code
  if [ "$rc" = "$1" ]; then
    printf '%s' "$rc"
  else
    printf '**%s (expected %s)**' "$rc" "$1"
    echo x >>"$failed"
  fi
}

# The play path: the main window opens the file as it opens one it is asked
# to, and its views end stopped, after playing (no "cannot play" line) or
# refusing the file (the window says why, with at most one line per view: a
# small view may find its track empty and end without a word).
play_cell() { # FILE plays|refuses
  run "${viewer[@]}" --scene "$root/tests/scenes/playmain.qml" -- "$1"
  local ended cannot views ok
  ended=$(grep -o 'playmain: .*stopped.*' "$work/stderr" | head -n 1)
  cannot=$(grep -c 'cannot play' "$work/stderr")
  views=$(sed -n 's/^playmain: \([0-9]*\) views.*/\1/p' <<<"$ended")
  if [ "$2" = plays ]; then
    [ "$cannot" -eq 0 ] && [[ "$ended" == *"after playing"* ]] && [[ "$ended" != *"playing 0 of"* ]] && ok=1
  else
    [ "$cannot" -ge 1 ] && [ "$cannot" -le "${views:-0}" ] &&
      [[ "$ended" == *"cannot be played: "* ]] && ok=1
  fi
  if [ "$rc" -ne 0 ] || [ -z "${ok:-}" ]; then
    printf '**exit %s, %s, %s "cannot play" lines**' "$rc" "${ended:-no end}" "$cannot"
    echo x >>"$failed"
  elif [ "$2" = refuses ]; then
    local said="cannot be played: ${ended#*cannot be played: }"
    printf 'says "%s"' "${said:0:60}"
  else
    printf '%s' "${ended#playmain: * views }"
  fi
}

unchanged_cell() { # PATH FINGERPRINT-BEFORE
  if [ "$(fingerprint "$1")" = "$2" ]; then
    printf 'yes'
  else
    printf '**changed**'
    echo x >>"$failed"
  fi
}

# The documented exit codes: 0 done, 1 failure (export: cannot write),
# 3 a file that cannot be read or is not a recording.
echo "| input | player | info | telemetry | export-channel | share-clip | copy | unchanged |"
echo "|---|---|---|---|---|---|---|---|"
for entry in "${cases[@]}"; do
  IFS='|' read -r label name playing codes <<<"$entry"
  read -r -a code <<<"$codes"
  file="$rec/$name"
  before=$(fingerprint "$file")
  row="| $label | $(play_cell "$file" "$playing")"
  run "$tool" info "$file"
  row+=" | $(cell "${code[0]}")"
  run "$tool" telemetry "$file" --format csv
  row+=" | $(cell "${code[1]}")"
  rm -rf "$work/out"/*
  run "$tool" export-channel "$file" --channel 0 --out "$work/out"
  row+=" | $(cell "${code[2]}")"
  run "$tool" share-clip "$file" --out "$work/out/clip.mp4" --to 1
  row+=" | $(cell "${code[3]}")"
  # A copy of 5 GB is real work, not a hang: that one is left out ("-").
  rm -rf "$work/out"/*
  if [ "${code[4]}" = - ]; then
    row+=" | -"
  else
    run "$tool" copy "$file" --to "$work/out"
    row+=" | $(cell "${code[4]}")"
  fi
  echo "$row | $(unchanged_cell "$file" "$before") |"
done

echo
# Each is refused (3) by show, and by set, which must leave it as it was.
echo "| config.txt | config show | config set cut_volt=5 | unchanged |"
echo "|---|---|---|---|"
for card in card-folder card-empty card-binary; do
  dir="$work/$card"
  before=$(fingerprint "$dir/config.txt")
  run "$tool" config show "$dir"
  row="| ${card#card-} | $(cell 3) $(first_message)"
  run "$tool" config set "$dir" cut_volt=5
  row+=" | $(cell 3)"
  echo "$row | $(unchanged_cell "$dir/config.txt" "$before") |"
done

if [ -s "$failed" ]; then
  echo "check-bad-files: $(wc -l <"$failed") unexpected results" >&2
  exit 1
fi
echo "check-bad-files: every case ended as expected"
