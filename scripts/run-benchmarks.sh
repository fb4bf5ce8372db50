#!/usr/bin/env bash
# Builds the Google Benchmark programs (bench/) and runs each one. Every
# program measures a baseline in the same run and prints its figures as
# ratios against it. The large recordings they need are generated once into
# build/bench-data (about 450 MB; bench_copy writes a 1 GiB file there and
# removes it).
#   scripts/run-benchmarks.sh           full runs
#   scripts/run-benchmarks.sh --quick   one short pass each (CI)
set -euo pipefail
cd "$(dirname "$0")/.."
extra=()
share=()
case "${1:-}" in
  --quick) extra=(--benchmark_min_time=0.05); share=(--quick) ;;
  '') ;;
  *) echo "usage: $0 [--quick]" >&2; exit 2 ;;
esac

cmake --preset dev
cmake --build --preset dev --target bench_catalogue bench_durationwalk bench_telemetry bench_channelexport \
  bench_shareclip bench_copy

for bench in bench_catalogue bench_durationwalk bench_telemetry bench_channelexport; do
  echo "== $bench"
  "build/bin/$bench" --benchmark_color=false "${extra[@]}"
done
echo "== bench_shareclip"
build/bin/bench_shareclip --benchmark_color=false "${share[@]}"
echo "== bench_copy"
build/bin/bench_copy --benchmark_color=false "${share[@]}"
