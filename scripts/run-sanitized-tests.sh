#!/usr/bin/env bash
# Builds the tests with a sanitizer and runs the unit tests.
#   scripts/run-sanitized-tests.sh address   ASan + UBSan
#   scripts/run-sanitized-tests.sh thread    ThreadSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-address}
case "$kind" in
  address) preset=asan ;;
  thread) preset=tsan ;;
  *) echo "usage: $0 address|thread" >&2; exit 2 ;;
esac

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"
