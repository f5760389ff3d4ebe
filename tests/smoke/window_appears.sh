#!/usr/bin/env bash
# The real program under Xvfb: its window appears, and closing it ends the
# process with status 0.
set -euo pipefail
build=$1
. "$(dirname "$0")/lib/xsession.sh"
start_x_session
run=$(copy_program "$build")
trap 'stop_x_session; rm -rf "$run"' EXIT

"$run/orvanix" &
pid=$!
if ! id=$(wait_for_window '★Orvanix★V2.5' 30); then
  echo "FAIL: the main window did not appear" >&2
  exit 1
fi
echo "window $id is up"

close_and_expect_exit "$pid" 10
echo "closed cleanly"
