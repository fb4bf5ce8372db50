#!/usr/bin/env bash
# Builds every libFuzzer target (tests/fuzz, named fuzz_*) with clang, ASan and
# UBSan in build-fuzz, and runs each for SECONDS (default 60). Fails on any
# crash, leak, timeout or out-of-memory.
#   scripts/run-fuzzers.sh [SECONDS]
# Corpora are kept in build-fuzz/corpus/<target> between runs; crash inputs
# land in build-fuzz/artifacts/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
case "$seconds" in
  '' | *[!0-9]*) echo "usage: $0 [SECONDS]" >&2; exit 2 ;;
esac

build="build-fuzz"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DVELMORA_FUZZ=ON -DVELMORA_BUILD_BENCH=OFF
cmake --build "$build" -j2 --target velmora_fuzzers

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

mapfile -t targets < <(find "$build/bin" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort)
if [ ${#targets[@]} -eq 0 ]; then
  echo "run-fuzzers: no fuzz_* targets were built" >&2
  exit 1
fi

failed=()
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  artifacts="$build/artifacts/$name"
  mkdir -p "$corpus" "$artifacts"
  echo "run-fuzzers: $name for ${seconds}s"
  # Targets write their seed recordings into the corpus on start.
  if ! VELMORA_FUZZ_SEED_DIR="$corpus" "$target" "$corpus" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$artifacts/" \
      >"$build/$name.log" 2>&1; then
    failed+=("$name")
    tail -n 60 "$build/$name.log" >&2
  else
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)' "$build/$name.log" || true
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "run-fuzzers: FAILED: ${failed[*]} (inputs in $build/artifacts/)" >&2
  exit 1
fi
echo "run-fuzzers: all ${#targets[@]} targets ran ${seconds}s without a finding"
