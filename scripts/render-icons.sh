#!/usr/bin/env bash
# Draws every image of resources/images (the application icon is drawn by
# render-app-icon.sh), writes the table of resources/images/README.md, and
# fetches the two Source Sans Pro fonts with their licence.
#
# The symbols come from the Material Design Icons SVG set; backgrounds, bars,
# boxes, the loading ring, the map pin and the logo are drawn here. Each symbol
# is recoloured per state:
#   -nor  normal               light grey
#   -pre  pressed              accent
#   -sel  selected             accent
#   -dim  pressed/unavailable  dark grey
# Images without a state suffix use the normal colour.
#
# Needs npm, rsvg-convert (Debian: librsvg2-bin) and python3. The PNGs, fonts
# and licences are committed, so building the viewer needs none of these.
# usage: bash scripts/render-icons.sh
set -euo pipefail

ICON_PACKAGE=@mdi/svg
ICON_VERSION=7.4.47
FONT_PACKAGE=source-sans-pro
FONT_VERSION=3.6.0

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
images="$root/resources/images"
fonts="$root/resources/font/Source_Sans_Pro"

for tool in npm rsvg-convert python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "render-icons: $tool is missing (rsvg-convert: apt-get install librsvg2-bin)" >&2
        exit 2
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "render-icons: fetching $ICON_PACKAGE@$ICON_VERSION and $FONT_PACKAGE@$FONT_VERSION"
(cd "$work" && npm pack --silent "$ICON_PACKAGE@$ICON_VERSION" "$FONT_PACKAGE@$FONT_VERSION" >/dev/null)
mkdir "$work/icons" "$work/font"
tar -xzf "$work"/mdi-svg-"$ICON_VERSION".tgz -C "$work/icons"
tar -xzf "$work/$FONT_PACKAGE-$FONT_VERSION.tgz" -C "$work/font"

# Fonts and the licences of what is bundled.
mkdir -p "$fonts" "$images"
for face in Regular Bold; do
    cp "$work/font/package/TTF/SourceSansPro-$face.ttf" "$fonts/"
done
cp "$work/font/package/LICENSE.md" "$fonts/LICENSE.md"
cp "$work/icons/package/LICENSE" "$images/LICENSE-mdi-svg"
cp /usr/share/common-licenses/Apache-2.0 "$images/Apache-2.0.txt"

# The logo's lettering uses the bundled bold face and no system font, so the
# result does not depend on the machine.
mkdir "$work/fontdir" "$work/fc-cache"
cp "$fonts"/SourceSansPro-*.ttf "$work/fontdir/"
cat >"$work/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>$work/fontdir</dir><cachedir>$work/fc-cache</cachedir></fontconfig>
EOF
export FONTCONFIG_FILE="$work/fonts.conf"

mkdir "$work/svg"
python3 - "$work/icons/package/svg" "$work/svg" "$images/README.md" \
    "$ICON_PACKAGE" "$ICON_VERSION" <<'PY'
import math
import re
import sys

symbols_dir, out_dir, readme, icon_package, icon_version = sys.argv[1:6]

NORMAL = "#ececec"
ACCENT = "#e4562e"
DIM = "#5a5a5a"
BACKGROUND = "#282828"
STATE_COLOURS = {"nor": NORMAL, "pre": ACCENT, "sel": ACCENT, "dim": DIM}
CUTS = []  # masks made so far; numbers their ids


def symbol_paths(name):
    with open(f"{symbols_dir}/{name}.svg", encoding="utf-8") as f:
        paths = re.findall(r'\sd="([^"]+)"', f.read())
    if not paths:
        sys.exit(f"render-icons: symbol {name} has no path")
    return paths


def symbol(name, cx, cy, size, colour, halo=False, rotate=0, cut=None):
    """The 24-unit symbol `name`, `size` px wide, centred on (cx, cy).
    halo: a soft dark outline that keeps a light symbol readable over video.
    cut: (x, y, r) in symbol units, a hole left free for a badge."""
    scale = size / 24.0
    d = " ".join(symbol_paths(name))
    transform = f"translate({cx - size / 2:.3f} {cy - size / 2:.3f}) scale({scale:.5f})"
    if rotate:
        transform += f" rotate({rotate} 12 12)"
    mask = ""
    defs = ""
    if cut:
        CUTS.append(name)
        mid = f"cut{len(CUTS)}"
        defs = (f'<defs><mask id="{mid}" maskUnits="userSpaceOnUse" x="-2" y="-2" '
                f'width="28" height="28"><rect x="-2" y="-2" width="28" height="28" '
                f'fill="white"/><circle cx="{cut[0]}" cy="{cut[1]}" r="{cut[2]}" '
                f'fill="black"/></mask></defs>')
        mask = f' mask="url(#{mid})"'
    parts = [defs, f'<g transform="{transform}"{mask}>']
    if halo:
        parts.append(f'<path d="{d}" fill="none" stroke="#000000" stroke-opacity="0.45" '
                     f'stroke-width="{2.4 / scale:.3f}" stroke-linejoin="round"/>')
    parts.append(f'<path d="{d}" fill="{colour}"/></g>')
    return "".join(parts)


def event_symbol(name, cx, cy, size, colour):
    """A category symbol with a lightning badge in its top-right corner: the
    impact variant of that category."""
    scale = size / 24.0
    return (symbol(name, cx, cy, size, colour, cut=(19.5, 4.5, 6.2))
            + symbol("lightning-bolt", cx - size / 2 + 19.5 * scale,
                     cy - size / 2 + 4.5 * scale, 10.5 * scale, colour))


def rounded(x, y, w, h, r, fill="none", stroke=None, width=1, opacity=None):
    s = f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{fill}"'
    if opacity is not None:
        s += f' fill-opacity="{opacity}"'
    if stroke:
        s += f' stroke="{stroke}" stroke-width="{width}"'
    return s + "/>"


# file name -> (width, height, what it shows, body)
IMAGES = {}


def image(name, w, h, shows, body):
    if name in IMAGES:
        sys.exit(f"render-icons: {name} drawn twice")
    IMAGES[name] = (w, h, shows, body)


def states(base, w, h, shows, draw, which=("nor", "dim")):
    for state in which:
        image(f"{base}-{state}.png", w, h, f"{shows} ({state})", draw(STATE_COLOURS[state]))


# --- In-window and full-screen player overlay -------------------------------
def overlay(name, size, colour, scale=0.75):
    return symbol(name, size / 2, size / 2, size * scale, colour, halo=True)


image("previous-file.png", 48, 48, "previous file: skip-back symbol", overlay("skip-previous", 48, NORMAL))
image("next-file.png", 48, 48, "next file: skip-forward symbol", overlay("skip-next", 48, NORMAL))
image("player-rewind.png", 48, 48, "rewind 3 seconds", overlay("rewind", 48, NORMAL))
image("player-forward.png", 48, 48, "fast forward 3 seconds", overlay("fast-forward", 48, NORMAL))


def round_button(name, size, colour):
    return (f'<circle cx="{size / 2}" cy="{size / 2}" r="{size / 2 - 2}" fill="#000000" '
            f'fill-opacity="0.35" stroke="{colour}" stroke-width="2"/>'
            + symbol(name, size / 2, size / 2, size * 0.6, colour))


image("player-play.png", 72, 72, "play: triangle in a ring", round_button("play", 72, NORMAL))
image("player-pause.png", 72, 72, "pause: two bars in a ring", round_button("pause", 72, NORMAL))

states("player-zoom-in", 40, 40, "zoom in: magnifier with plus",
       lambda c: overlay("magnify-plus-outline", 40, c))
states("player-zoom-out", 40, 40, "zoom out: magnifier with minus",
       lambda c: overlay("magnify-minus-outline", 40, c))
states("player-switch", 40, 40, "switch channel: camera with swap arrows",
       lambda c: overlay("camera-switch-outline", 40, c))
states("player-mirror-horizontal", 40, 40, "horizontal reverse: mirror left-right",
       lambda c: overlay("flip-horizontal", 40, c))
states("player-mirror-vertical", 40, 40, "vertical reverse: mirror top-bottom",
       lambda c: overlay("flip-vertical", 40, c))
states("player-fullscreen", 40, 40, "full screen: four corners",
       lambda c: overlay("fullscreen", 40, c))
states("player-share", 40, 40, "share clip: three joined dots",
       lambda c: overlay("share-variant-outline", 40, c))


def arc(cx, cy, r, start, end):
    a0, a1 = math.radians(start), math.radians(end)
    x0, y0 = cx + r * math.sin(a0), cy - r * math.cos(a0)
    x1, y1 = cx + r * math.sin(a1), cy - r * math.cos(a1)
    large = 1 if end - start > 180 else 0
    return f"M{x0:.3f},{y0:.3f} A{r},{r} 0 {large} 1 {x1:.3f},{y1:.3f}"


def rotation(step, colour):
    """Clockwise arrow around an arrow that points where the top of the
    picture points after `step` degrees."""
    ring = arc(20, 20, 15, 20, 320)
    # Arrowhead at the ring's end (320 degrees), pointing clockwise.
    a = math.radians(320)
    tx, ty = 20 + 15 * math.sin(a), 20 - 15 * math.cos(a)
    head = []
    for dx, dy in ((-4.8, -5.2), (5.5, 0.0), (-4.8, 5.2)):
        # Local frame: x along the clockwise tangent, y toward the outside.
        ux, uy = math.cos(a), math.sin(a)
        ox, oy = math.sin(a), -math.cos(a)
        head.append(f"{tx + dx * ux + dy * ox:.3f},{ty + dx * uy + dy * oy:.3f}")
    outline = (f'<path d="{ring}" fill="none" stroke="{{c}}" stroke-width="{{w}}" '
               f'stroke-linecap="round"{{o}}/>'
               f'<path d="M{" L".join(head)}Z" fill="{{c}}" stroke="{{c}}" '
               f'stroke-width="{{hw}}" stroke-linejoin="round"{{o}}/>')
    shadow = outline.format(c="#000000", w=5.4, hw=2.4, o=' stroke-opacity="0.45"')
    shadow = shadow.replace('fill="#000000"', 'fill="#000000" fill-opacity="0.45"', 1)
    return (shadow + outline.format(c=colour, w=3, hw=0.01, o="")
            + symbol("arrow-up-bold", 20, 20, 18, colour, halo=True, rotate=step))


for step in (0, 90, 180, 270):
    states(f"player-rotate-{step}", 40, 40, f"rotation step {step} degrees: rotate arrow, "
           f"inner arrow shows where the picture's top points",
           lambda c, s=step: rotation(s, c))

image("brightness.png", 30, 30, "brightness: half sun", overlay("brightness-6", 30, NORMAL, 0.8))
image("contrast.png", 30, 30, "contrast: half-filled circle",
      overlay("contrast-circle", 30, NORMAL, 0.8))
image("player-volume.png", 30, 30, "volume: speaker with waves",
      overlay("volume-high", 30, NORMAL, 0.8))
image("player-muted.png", 30, 30, "muted: crossed-out speaker",
      overlay("volume-off", 30, NORMAL, 0.8))

image("unit-box.png", 70, 32, "frame behind the speed unit text",
      rounded(1, 1, 68, 30, 5, fill="#000000", opacity=0.35, stroke=NORMAL, width=1.5))
image("seek-track.png", 100, 4, "seek bar track (stretched to the bar)",
      '<rect width="100" height="4" fill="#ffffff" fill-opacity="0.35"/>')
image("seek-played.png", 100, 4, "played part of the seek bar (stretched)",
      f'<rect width="100" height="4" fill="{ACCENT}"/>')
image("seek-knob.png", 16, 16, "seek bar knob",
      f'<circle cx="8" cy="8" r="6.5" fill="{ACCENT}" stroke="#ffffff" stroke-width="2"/>')


image("loading.png", 64, 64, "loading ring: grey circle with an accent arc",
      f'<circle cx="32" cy="32" r="26" fill="none" stroke="{DIM}" stroke-width="6"/>'
      f'<path d="{arc(32, 32, 26, 0, 100)}" fill="none" stroke="{ACCENT}" '
      f'stroke-width="6" stroke-linecap="round"/>')
image("zoom-point.png", 20, 20, "zoom point marker: crosshair",
      '<g fill="none" stroke="#000000" stroke-opacity="0.5" stroke-width="4">'
      '<circle cx="10" cy="10" r="6"/><path d="M10,1V6M10,14V19M1,10H6M14,10H19"/></g>'
      f'<g fill="none" stroke="{ACCENT}" stroke-width="2">'
      '<circle cx="10" cy="10" r="6"/><path d="M10,1V6M10,14V19M1,10H6M14,10H19"/></g>')

# --- Window ------------------------------------------------------------------
image("logo.png", 190, 40, "logo: lens ring and the word VELMORA",
      f'<circle cx="20" cy="20" r="15" fill="{BACKGROUND}" stroke="{ACCENT}" stroke-width="5"/>'
      '<circle cx="20" cy="20" r="5.5" fill="#ffffff"/>'
      '<text x="44" y="29" font-family="Source Sans Pro" font-weight="bold" font-size="26" '
      'letter-spacing="2" fill="#ffffff">VELMORA</text>')

# --- Top menu: cells of 99 x 74, the label lies in the lower half ------------
MENU = [("card", "sd", "SD card"), ("files", "folder-open-outline", "open files"),
        ("version", "information-outline", "version"),
        ("report", "file-document-edit-outline", "report"),
        ("snapshot", "camera-outline", "snapshot"), ("settings", "cog-outline", "settings")]
for key, name, meaning in MENU:
    image(f"menu-{key}-nor.png", 99, 74, f"menu cell {meaning} (nor)",
          symbol(name, 49.5, 22, 28, NORMAL))
    image(f"menu-{key}-pre.png", 99, 74, f"menu cell {meaning} (pre): accent on a lit cell",
          rounded(3, 2, 93, 70, 6, fill="#3a3a3a") + symbol(name, 49.5, 22, 28, ACCENT))

# --- Recording list ------------------------------------------------------------
CATEGORIES = [("drive", "car", False, "driving"), ("drive-impact", "car", True, "driving impact"),
              ("parking", "parking", False, "parking"),
              ("parking-impact", "parking", True, "parking impact"),
              ("manual", "gesture-tap-button", False, "manual")]


def category_symbol(name, event, cx, cy, size, colour):
    if event:
        return event_symbol(name, cx, cy, size, colour)
    return symbol(name, cx, cy, size, colour)


for key, name, event, meaning in CATEGORIES:
    # Tab of 126 x 70: the label sits at 65 % of the height, the symbol above it.
    image(f"tab-{key}-nor.png", 126, 70, f"tab {meaning} (nor)",
          '<rect width="126" height="70" fill="#303030"/>'
          '<rect y="69" width="126" height="1" fill="#3f3f3f"/>'
          + category_symbol(name, event, 63, 22, 26, NORMAL))
    image(f"tab-{key}-pre.png", 126, 70, f"tab {meaning} (pre)",
          '<rect width="126" height="70" fill="#3a3a3a"/>'
          + category_symbol(name, event, 63, 22, 26, ACCENT))
    image(f"tab-{key}-sel.png", 126, 70, f"tab {meaning} (sel): accent bar underneath",
          f'<rect width="126" height="70" fill="{BACKGROUND}"/>'
          f'<rect y="66" width="126" height="4" fill="{ACCENT}"/>'
          + category_symbol(name, event, 63, 22, 26, ACCENT))
    image(f"icon-{key}.png", 40, 40, f"row icon {meaning}" + (" (accent)" if event else ""),
          category_symbol(name, event, 20, 20, 34, ACCENT if event else NORMAL))

image("list-background.png", 16, 16, "list panel background (stretched)",
      '<rect width="16" height="16" fill="#262626"/>')
image("unchecked.png", 24, 24, "check box, empty",
      symbol("checkbox-blank-outline", 12, 12, 24, "#939292"))
image("checked.png", 24, 24, "check mark drawn over the empty box",
      '<rect x="5" y="5" width="14" height="14" fill="#ffffff"/>'
      + symbol("checkbox-marked", 12, 12, 24, ACCENT))
image("button-nor.png", 300, 35, "delete/save button (stretched)",
      rounded(0, 0, 300, 35, 4, fill="#3f3f3f"))
image("button-pre.png", 300, 35, "delete/save button pressed",
      rounded(0, 0, 300, 35, 4, fill=ACCENT))

# --- Card dialog -----------------------------------------------------------------
def panel(w, h, r, border, strip):
    """Dialog panel: dark fill, a `strip` px accent band along the top edge
    that follows the rounded corners, and a grey frame of `border` px."""
    inset = border / 2
    shape = f'x="{inset}" y="{inset}" width="{w - border}" height="{h - border}" rx="{r}"'
    return (f'<defs><clipPath id="panel"><rect {shape}/></clipPath></defs>'
            f'<rect {shape} fill="{BACKGROUND}"/>'
            f'<rect width="{w}" height="{strip + border}" fill="{ACCENT}" clip-path="url(#panel)"/>'
            f'<rect {shape} fill="none" stroke="#505050" stroke-width="{border}"/>')


image("dialog-panel.png", 700, 360, "dialog panel: dark, thin border, accent top edge",
      panel(700, 360, 8, 2, 3))
image("field.png", 470, 40, "field behind a drive, path or name",
      rounded(0.5, 0.5, 469, 39, 3, fill="#1e1e1e", stroke="#5a5a5a"))

# --- Map -----------------------------------------------------------------------
image("map-pin.png", 32, 44, "map pin, tip at the bottom centre",
      f'<path d="M16,43 C12,34 3,27 3,16 A13,13 0 0 1 29,16 C29,27 20,34 16,43Z" '
      f'fill="{ACCENT}" stroke="#ffffff" stroke-width="2" stroke-linejoin="round"/>'
      '<circle cx="16" cy="16" r="5" fill="#ffffff"/>')
def map_button(name):
    return (rounded(0.5, 0.5, 29, 29, 4, fill=BACKGROUND, opacity=0.9, stroke="#5a5a5a")
            + symbol(name, 15, 15, 22, NORMAL))


for key, name in (("in", "plus"), ("out", "minus")):
    image(f"map-zoom-{key}.png", 30, 30, f"map zoom {key}: {name} on a dark square",
          map_button(name))
image("map-follow.png", 30, 30, "map follows the car: cross-hairs on a dark square",
      map_button("crosshairs-gps"))
image("map-route.png", 30, 30, "whole route in view: marked path on a dark square",
      map_button("map-marker-path"))
image("map-export.png", 30, 30, "save the track: arrow into a tray on a dark square",
      map_button("tray-arrow-down"))

# --- Sensor graph ---------------------------------------------------------------
grid = ['<rect width="360" height="184" fill="#232323"/>']
for x in range(36, 360, 36):
    grid.append(f'<rect x="{x}" width="1" height="184" fill="#2e2e2e"/>')
for y in (0, 46, 137, 183):
    grid.append(f'<rect y="{y}" width="360" height="1" fill="#383838"/>')
grid.append('<rect y="91.5" width="360" height="1" fill="#5a5a5a"/>')
image("graph-grid.png", 360, 184, "graph grid: +2, +1, 0, -1, -2 g lines 46 px apart",
      "".join(grid))
for axis, colour in (("x", "#fd6c58"), ("y", "#dce63d"), ("z", "#38cad3")):
    image(f"legend-{axis}.png", 10, 10, f"legend dot of the {axis.upper()} curve",
          f'<circle cx="5" cy="5" r="4.5" fill="{colour}"/>')

# --- Settings screens ---------------------------------------------------------------
image("settings-panel.png", 1129, 739, "settings panel (scaled to each dialog)",
      panel(1129, 739, 12, 3, 5))
image("settings-page.png", 770, 480, "settings page background",
      rounded(0, 0, 770, 480, 6, fill="#232323"))
column = ['<rect width="300" height="480" fill="#232323"/>']
for y in range(80, 480, 80):
    column.append(f'<rect x="16" y="{y - 1}" width="268" height="1" fill="#3a3a3a"/>')
image("settings-tab-column.png", 300, 480, "settings tab column: six rows of 80 px", "".join(column))
image("settings-tab-selected.png", 300, 80, "selected settings tab: lit row, accent bar on the left",
      f'<rect width="300" height="80" fill="#3a3a3a"/><rect width="5" height="80" fill="{ACCENT}"/>')
SETTING_TABS = [("video-outline", "recording"), ("vibrate", "sensitivity"),
                ("volume-high", "sound"), ("clock-outline", "time"),
                ("micro-sd", "memory"), ("cog-outline", "system")]
for name, meaning in SETTING_TABS:
    image(f"settings-tab-{meaning}.png", 32, 32, f"settings tab {meaning}",
          symbol(name, 16, 16, 28, NORMAL))
image("option-nor.png", 130, 40, "option button",
      rounded(0.5, 0.5, 129, 39, 5, fill="#333333", stroke="#6a6a6a"))
image("option-sel.png", 130, 40, "chosen option button: accent frame",
      rounded(1, 1, 128, 38, 5, fill="#1e1e1e", stroke=ACCENT, width=2))
image("close-nor.png", 24, 24, "close cross (nor)", symbol("close", 12, 12, 24, NORMAL))
image("close-pre.png", 24, 24, "close cross (pre)", symbol("close", 12, 12, 24, ACCENT))

for name, (w, h, shows, body) in IMAGES.items():
    with open(f"{out_dir}/{name[:-4]}.svg", "w", encoding="utf-8") as f:
        f.write(f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
                f'viewBox="0 0 {w} {h}">{body}</svg>\n')

with open(readme, "w", encoding="utf-8") as f:
    f.write("# Images of the scenes\n\n"
            "Written by `bash scripts/render-icons.sh`; do not edit the PNGs by hand.\n"
            f"Symbols: {icon_package} {icon_version} (Apache-2.0, see LICENSE-mdi-svg and\n"
            "Apache-2.0.txt); every other shape is drawn by the script.\n"
            "States: -nor normal (light grey), -pre pressed (accent #e4562e),\n"
            "-sel selected (accent), -dim pressed or unavailable (dark grey #5a5a5a).\n"
            "The window icon is the application icon of resources/icons/ (render-app-icon.sh).\n\n"
            "| File | Size (px) | Shows |\n|---|---|---|\n")
    for name in sorted(IMAGES):
        w, h, shows, _ = IMAGES[name]
        f.write(f"| {name} | {w} x {h} | {shows} |\n")
print(f"render-icons: {len(IMAGES)} images")
PY

written=0
for svg in "$work"/svg/*.svg; do
    rsvg-convert -o "$images/$(basename "$svg" .svg).png" "$svg"
    written=$((written + 1))
done
echo "render-icons: wrote $written PNGs to $images"
