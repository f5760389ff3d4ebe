#!/usr/bin/env bash
# Builds the benchmarks (Release tree build-bench) and runs every one of them,
# printing their figures. Extra arguments go to each benchmark program, e.g.
#   bash scripts/bench.sh --benchmark_filter=AllTexts
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANIX_BENCH=ON \
  -DORVANIX_TESTS=ON >/dev/null
shopt -s nullglob
targets=()
for source in bench/*.cpp; do
  targets+=("$(basename "$source" .cpp)")
done
[ ${#targets[@]} -eq 0 ] && { echo "no benchmarks in bench/"; exit 0; }
# web_bench serves its page with the fixture server program.
cmake --build build-bench -j "$jobs" --target "${targets[@]}" orvanix-fixture-server
for name in "${targets[@]}"; do
  echo "== $name"
  "build-bench/bench/$name" --benchmark_counters_tabular=false "$@"
done
