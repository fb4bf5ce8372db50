#!/usr/bin/env bash
# Builds the viewer in release form and packs it as a Debian package:
# build-release/velmora-viewer_<version>_amd64.deb. Install it with
#   sudo apt-get install ./build-release/velmora-viewer_<version>_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
cmake --preset release
cmake --build --preset release
(cd build-release && cpack -G DEB)
ls -1 build-release/*.deb
