#!/usr/bin/env bash
# Installs the Debian package into a fresh, minimal Debian 12 (debootstrap,
# as root) with apt-get, as a user would, and checks that the installed
# viewer prints its version, switches to French from its installed catalogues
# and keeps its main window up: a missing dependency fails here.
#   scripts/check-package.sh [PACKAGE.deb]     (default: build-release's)
# The system is kept for the next run in $VELMORA_DEBIAN_ROOT (default
# build-release/debian-root).
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^project(VelmoraViewer VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=${1:-build-release/velmora-viewer_${version}_amd64.deb}
root=${VELMORA_DEBIAN_ROOT:-build-release/debian-root}
if [ "$(id -u)" -ne 0 ]; then
  echo "check-package: needs root (debootstrap, chroot)" >&2
  exit 2
fi
command -v debootstrap >/dev/null || apt-get install -y -q --no-install-recommends debootstrap

if [ ! -x "$root/usr/bin/apt-get" ]; then
  # Only ever remove a folder that is empty or a half-made Debian system.
  if [ -e "$root" ] && [ -n "$(ls -A "$root")" ] && [ ! -e "$root/debootstrap" ]; then
    echo "check-package: $root is neither empty nor a Debian system; not touching it" >&2
    exit 2
  fi
  rm -rf --one-file-system "$root"
  debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
fi
cleanup() { umount "$root/proc" 2>/dev/null || true; }
trap cleanup EXIT
mount -t proc proc "$root/proc"

cp "$deb" "$root/tmp/velmora-viewer.deb"
cp tests/scenes/french.qml "$root/tmp/french.qml"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
in_root apt-get update -q
# Back to the bare system first, so that only this package's dependencies count.
in_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q --autoremove velmora-viewer ||
  true
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q /tmp/velmora-viewer.deb

in_root velmora-viewer --version
offscreen=(env QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software XDG_RUNTIME_DIR=/tmp)
probe=$(in_root "${offscreen[@]}" velmora-viewer --scene /tmp/french.qml 2>&1)
echo "$probe" | grep -F "qml: probe: Veuillez insérer la carte SD / 4" ||
  { echo "$probe"; echo "check-package: the installed viewer did not switch to French" >&2; exit 1; }

# The main window with every module it imports; still up after 10 s.
status=0
log=$(in_root "${offscreen[@]}" timeout 10 velmora-viewer 2>&1) || status=$?
if [ "$status" -ne 124 ] || echo "$log" | grep -q 'is not installed\|module .* not found'; then
  echo "$log"
  echo "check-package: the installed viewer did not keep its window (status $status)" >&2
  exit 1
fi
echo "check-package: $deb installs and runs on a fresh Debian 12"
