#!/usr/bin/env bash
# Starts the built program under a private Xvfb display and saves a screenshot of
# its window: screenshot.sh OUT.png [BUILD_DIR] [SECONDS_TO_WAIT]
set -euo pipefail
out=$(realpath -m "$1")
build=$(realpath "${2:-build}")
wait_seconds=${3:-2}
cd "$(dirname "$0")/.."
. tests/smoke/lib/xsession.sh
start_x_session
run=$(copy_program "$build")
trap 'stop_x_session; rm -rf "$run"' EXIT
"$run/orvanix" &
id=$(wait_for_window '★Orvanix★V2.5' 30)
sleep "$wait_seconds"
import -window "$id" -frame "$out" 2>/dev/null || import -window root "$out"
echo "saved $out"
