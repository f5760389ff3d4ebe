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

wmctrl -c '★Orvanix★V2.5'
for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
if kill -0 "$pid" 2>/dev/null; then
  echo "FAIL: the program is still running 10 s after its window was closed" >&2
  kill -9 "$pid"
  exit 1
fi
wait "$pid" && status=0 || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: exit status $status" >&2; exit 1; }
echo "closed cleanly"
