#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds everything and runs the tests.
#   scripts/run-tests.sh            all tests but the long ones
#   scripts/run-tests.sh -R startup only the tests whose name matches
# Extra CMake options can be given in VELMORA_CMAKE_ARGS.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
# shellcheck disable=SC2086
cmake --preset dev -DVELMORA_BUILD_TESTS=ON ${VELMORA_CMAKE_ARGS:-}
cmake --build --preset dev

# The start-up tests open windows: without a display, use a virtual one.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a ctest --preset dev "$@"
fi
exec ctest --preset dev "$@"
