#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a few seconds each: fuzz.sh BUILD_DIR SECONDS
# A crash prints the fuzzer's report and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-asan}
seconds=${2:-10}
status=0
shopt -s nullglob
for source in fuzz/*_fuzz.cpp; do
  name=$(basename "$source" .cpp)
  work=$(mktemp -d)
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name"/. "$work"/
  log=$(mktemp)
  echo "-- $name (${seconds}s)"
  if ASAN_OPTIONS=detect_leaks=0 "$build/fuzz/$name" -max_total_time="$seconds" -max_len=65536 \
      -artifact_prefix="$work/" "$work" >"$log" 2>&1; then
    grep -E '^#[0-9]+.*DONE' "$log" | tail -n 1 || tail -n 1 "$log"
  else
    echo "FAIL: $name" >&2
    tail -n 60 "$log" >&2
    status=1
  fi
  rm -rf "$work" "$log"
done
exit $status
