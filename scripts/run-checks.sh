#!/usr/bin/env bash
# Static checks of what is not C++: qmllint over the scenes, shellcheck over
# the scripts, and the desktop entry and AppStream data as a desktop sees them.
set -euo pipefail
cd "$(dirname "$0")/.."

qmllint=/usr/lib/qt5/bin/qmllint
"$qmllint" scenes/*.qml scenes/*.js
echo "run-checks: qmllint passed"

shellcheck scripts/*.sh tests/*.sh .ci/run
echo "run-checks: shellcheck passed"

desktop-file-validate dist/org.velmora.Viewer.desktop
echo "run-checks: desktop entry valid"

# The AppStream data as CMake fills it in: version and date from CMakeLists.txt.
version=$(sed -n 's/^project(VelmoraViewer VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
date=$(sed -n 's/^set(VELMORA_RELEASE_DATE "\(.*\)")/\1/p' CMakeLists.txt)
metainfo=$(mktemp --suffix=.metainfo.xml)
trap 'rm -f "$metainfo"' EXIT
sed -e "s/@VELMORA_VERSION@/$version/g" -e "s/@VELMORA_RELEASE_DATE@/$date/g" \
  -e "s|@VELMORA_HOMEPAGE_URL@|https://example.org/velmora-viewer|g" \
  dist/org.velmora.Viewer.metainfo.xml.in >"$metainfo"
appstreamcli validate --no-net "$metainfo"
echo "run-checks: AppStream data valid ($version, $date)"
