#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a few seconds each: fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-asan}
seconds=${2:-10}
shopt -s nullglob
for source in fuzz/*_fuzz.cpp; do
  name=$(basename "$source" .cpp)
  corpus=fuzz/corpus/$name
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  echo "-- $name (${seconds}s)"
  ASAN_OPTIONS=detect_leaks=0 "$build/fuzz/$name" -max_total_time="$seconds" -max_len=65536 \
    -print_final_stats=0 "$work" 2>&1 | tail -n 3
  rm -rf "$work"
done
