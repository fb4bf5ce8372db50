#!/usr/bin/env bash
# Installs every Debian 12 package that the build, the viewer and the tests need.
# Idempotent; run as root (or through sudo). Refreshes the package lists once per run.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config git clang-format
  qtbase5-dev qtdeclarative5-dev qtquickcontrols2-5-dev qtlocation5-dev qtpositioning5-dev
  qttools5-dev qttools5-dev-tools qtdeclarative5-dev-tools libqt5svg5-dev
  qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qtquick-controls2
  qml-module-qtquick-templates2 qml-module-qtquick-controls qml-module-qtquick-extras
  qml-module-qtquick-layouts qml-module-qtquick-dialogs qml-module-qtquick-privatewidgets
  qml-module-qtquick-shapes qml-module-qt-labs-platform qml-module-qt-labs-folderlistmodel
  qml-module-qt-labs-settings qml-module-qtlocation qml-module-qtpositioning qml-module-qttest
  libqt5location5-plugins libqt5positioning5-plugins
  libmpv-dev libavfilter-dev libavcodec-dev libavutil-dev libavformat-dev libswscale-dev
  libswresample-dev libssl-dev
  ffmpeg xvfb xauth libgl1-mesa-dri poppler-utils fonts-noto-cjk fonts-dejavu-core
  libbenchmark-dev libxml2-utils librsvg2-bin
  file desktop-file-utils appstream shellcheck
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup-debian: all ${#packages[@]} packages are installed"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
echo "setup-debian: installing ${#missing[@]} packages: ${missing[*]}"
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
