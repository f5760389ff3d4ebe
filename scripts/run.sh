#!/usr/bin/env bash
# Builds Orvanix (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target orvanix orvanix-cli orvanix_feedback_view site_table
exec build/orvanix "$@"
