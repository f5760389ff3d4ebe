#!/usr/bin/env bash
# Start-up figures under Xvfb, side by side with a bare Qt window with the same
# kinds of controls: time from launch to a visible window (median of N runs) and
# peak resident memory after a second of idling.
#   bench_startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-5}
. tests/smoke/lib/xsession.sh
start_x_session
run=$(copy_program "$build")
cp "$build/bench/bare_window" "$run/"
trap 'stop_x_session; rm -rf "$run"' EXIT

# measure PROGRAM TITLE: prints "milliseconds peak_kib" for one start.
measure() {
  local program=$1 title=$2 start end pid kib
  start=$(date +%s%N)
  "$program" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do sleep 0.005; done
  end=$(date +%s%N)
  sleep 1
  kib=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo "$(( (end - start) / 1000000 )) $kib"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

declare -A ms kib
for name in orvanix bare; do ms[$name]=""; kib[$name]=""; done
measure "$run/orvanix" '★Orvanix★V2.5' >/dev/null  # warm-up
for _ in $(seq "$runs"); do
  read -r t m < <(measure "$run/orvanix" '★Orvanix★V2.5'); ms[orvanix]+="$t "; kib[orvanix]+="$m "
  read -r t m < <(measure "$run/bare_window" 'bare-window'); ms[bare]+="$t "; kib[bare]+="$m "
done
for name in orvanix bare; do
  t=$(echo "${ms[$name]}" | tr ' ' '\n' | grep . | median)
  m=$(echo "${kib[$name]}" | tr ' ' '\n' | grep . | median)
  printf '%-8s window visible after %5d ms (median of %d), peak RSS %6d KiB\n' "$name" "$t" "$runs" "$m"
  eval "t_$name=$t m_$name=$m"
done
awk -v a="$t_orvanix" -v b="$t_bare" -v c="$m_orvanix" -v d="$m_bare" \
  'BEGIN {printf "ratio    time %.2f, memory %.2f\n", a / b, c / d}'
