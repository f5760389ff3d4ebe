#!/usr/bin/env bash
# Start-up figures under Xvfb, side by side with a bare Qt window with the same
# kinds of controls: time from launch to a visible window (median of N runs) and
# peak resident memory after a second of idling. Then, for the program alone,
# the same restored onto page 4 (the feedback web view, served on 127.0.0.1),
# with the memory of the web engine's helper processes beside it.
#   bench_startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${1:-build}")
runs=${2:-5}
bash scripts/setup.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target orvanix bare_window orvanix-fixture-server orvanix_feedback_view \
  site_table >/dev/null
. tests/smoke/lib/xsession.sh
start_x_session
run=$(copy_program "$build")
cp "$build/bench/bare_window" "$run/"
trap 'stop_x_session; rm -rf "$run"' EXIT
mkdir -p "$run/feedback/orvlune/access"
printf '<html><body><h1>反馈留言</h1></body></html>' >"$run/feedback/orvlune/access/index.php"

# measure PROGRAM TITLE: prints "milliseconds peak_kib helpers_kib" for one start.
measure() {
  local program=$1 title=$2 start end pid kib helpers c
  start=$(date +%s%N)
  "$program" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do sleep 0.005; done
  end=$(date +%s%N)
  sleep "${settle:-1}"
  kib=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  helpers=0
  for c in $(pgrep -P "$pid" || true) $(for p in $(pgrep -P "$pid" || true); do pgrep -P "$p" || true; done); do
    helpers=$((helpers + $(awk '/VmRSS/ {print $2}' "/proc/$c/status" 2>/dev/null || echo 0)))
  done
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo "$(( (end - start) / 1000000 )) $kib $helpers"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

declare -A ms kib
for name in orvanix bare; do ms[$name]=""; kib[$name]=""; done
measure "$run/orvanix" '★Orvanix★V2.5' >/dev/null  # warm-up
for _ in $(seq "$runs"); do
  read -r t m _ < <(measure "$run/orvanix" '★Orvanix★V2.5'); ms[orvanix]+="$t "; kib[orvanix]+="$m "
  read -r t m _ < <(measure "$run/bare_window" 'bare-window'); ms[bare]+="$t "; kib[bare]+="$m "
done
for name in orvanix bare; do
  t=$(echo "${ms[$name]}" | tr ' ' '\n' | grep . | median)
  m=$(echo "${kib[$name]}" | tr ' ' '\n' | grep . | median)
  printf '%-8s window visible after %5d ms (median of %d), peak RSS %6d KiB\n' "$name" "$t" "$runs" "$m"
  eval "t_$name=$t m_$name=$m"
done
awk -v a="$t_orvanix" -v b="$t_bare" -v c="$m_orvanix" -v d="$m_bare" \
  'BEGIN {printf "ratio    time %.2f, memory %.2f\n", a / b, c / d}'

# Restored onto page 4: the window first, then the web view loads the page.
printf '[endpoints]\nmaker=127.0.0.1:18934\n' >"$run/endpoints.ini"
"$build/tests/orvanix-fixture-server" --quiet 18934 "$run/feedback" >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; stop_x_session; rm -rf "$run"' EXIT
export ORVANIX_ENDPOINTS="$run/endpoints.ini" QTWEBENGINE_DISABLE_SANDBOX=1 settle=4
ts=""; ks=""; hs=""
for _ in $(seq "$runs"); do
  printf '[\xC8\xAB\xBE\xD6]\r\n\xD1\xA1\xD4\xF1\xBC\xD0=4\r\n' >"$run/config.ini"
  read -r t m h < <(measure "$run/orvanix" '★Orvanix★V2.5'); ts+="$t "; ks+="$m "; hs+="$h "
done
printf 'page 4   window visible after %5d ms (median of %d), peak RSS %6d KiB, web engine helpers %d KiB\n' \
  "$(echo $ts | tr ' ' '\n' | median)" "$runs" "$(echo $ks | tr ' ' '\n' | median)" "$(echo $hs | tr ' ' '\n' | median)"
