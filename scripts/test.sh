#!/usr/bin/env bash
# Builds Orvanix and runs every test: first a Release build, then the same tests
# built with AddressSanitizer and UndefinedBehaviorSanitizer (clang), then the
# fuzz targets for a few seconds each.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

export QTWEBENGINE_DISABLE_SANDBOX=1
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
jobs=$(nproc)

echo "== Release build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANIX_TESTS=ON -DORVANIX_BENCH=ON >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build and tests"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DORVANIX_SANITIZE=ON -DORVANIX_FUZZ=ON -DORVANIX_BENCH=OFF >/dev/null
cmake --build build-asan
ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== Fuzz targets"
bash scripts/fuzz.sh build-asan "${FUZZ_SECONDS:-10}"
