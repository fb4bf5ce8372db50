#!/usr/bin/env bash
# Non-blank lines of the product code and of the tests, and their ratio.
# Product: the libraries, the two programs and the scenes. Tests: tests/,
# less the screenshot program (it takes the README's pictures; it tests
# nothing). Benchmarks and scripts count as neither.
set -euo pipefail
cd "$(dirname "$0")/.."

lines() {
  git ls-files -- "$@" | grep -E '\.(cpp|h|qml|js|sh)$' | grep -v '^tests/screenshots/' |
    xargs cat | grep -cv '^[[:space:]]*$'
}

product=$(lines app backend container report player media demo tools scenes)
tests=$(lines tests)
echo "product: $product lines"
echo "tests:   $tests lines"
awk -v t="$tests" -v p="$product" 'BEGIN { printf "tests/product: %.0f%%\n", 100 * t / p }'
