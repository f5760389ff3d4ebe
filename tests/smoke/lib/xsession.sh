# Shared by the smoke scripts: a private X display with a window manager.
# Source it, then call start_x_session; everything started is stopped on exit.

x_session_pids=()

stop_x_session() {
  local pid
  for pid in "${x_session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}

# start_x_session [--tray]: starts Xvfb on a free display, openbox, and with
# --tray a system tray host; exports DISPLAY.
start_x_session() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 9 -screen 0 1280x800x24 -nolisten tcp 9>"$fdfile" >/dev/null 2>&1 &
  x_session_pids+=($!)
  for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
  openbox >/dev/null 2>&1 &
  x_session_pids+=($!)
  if [ "${1:-}" = --tray ]; then
    trayer --edge bottom --align right --widthtype pixel --width 120 >/dev/null 2>&1 &
    x_session_pids+=($!)
  fi
  sleep 0.3
  trap stop_x_session EXIT
}

# wait_for_window TITLE SECONDS: prints the id of the first visible window with
# that title, or fails.
wait_for_window() {
  local title=$1 seconds=$2 id
  for _ in $(seq $((seconds * 20))); do
    id=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}

# copy_program BUILD_DIR: a run directory of its own for the program, so its
# files (config.ini, xz.db) stay out of the build tree. Prints the folder.
copy_program() {
  local build=$1 run
  run=$(mktemp -d)
  cp "$build/orvanix" "$run/"
  [ -d "$build/plugins" ] && cp -r "$build/plugins" "$run/"
  [ -d "$build/db" ] && cp -r "$build/db" "$run/"
  echo "$run"
}

# close_and_expect_exit PID SECONDS: closes the main window as the user would and
# fails unless the program ends within SECONDS with status 0.
close_and_expect_exit() {
  local pid=$1 seconds=$2 status
  wmctrl -c '★Orvanix★V2.5'
  for _ in $(seq $((seconds * 20))); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  if kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: still running $seconds s after the window was closed" >&2
    kill -9 "$pid"
    return 1
  fi
  wait "$pid" && status=0 || status=$?
  [ "$status" -eq 0 ] || { echo "FAIL: exit status $status" >&2; return 1; }
}
