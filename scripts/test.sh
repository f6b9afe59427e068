#!/usr/bin/env bash
# Builds everything and runs every test: the ordinary build, the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows side
# of the engine cross-built with MinGW-w64 and run under Wine, and a short run
# of every fuzzer.
# Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs="$(nproc)"
for preset in default sanitize; do
  echo "=== $preset build ==="
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

echo "=== Windows engine under Wine ==="
bash scripts/test-windows.sh

echo "=== fuzzing, a short run ==="
bash scripts/fuzz.sh
