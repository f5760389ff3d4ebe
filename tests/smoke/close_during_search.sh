#!/usr/bin/env bash
# The real program under Xvfb, searching a server that never answers: closing the
# window ends the process at once with status 0, the worker still waiting.
set -euo pipefail
build=$1
. "$(dirname "$0")/lib/xsession.sh"
start_x_session
run=$(copy_program "$build")
log=$(mktemp)
"$build/tests/orvanix-fixture-server" --hang /s 0 "$run" >"$log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; stop_x_session; rm -rf "$run" "$log"' EXIT
for _ in $(seq 100); do grep -q '^serving' "$log" && break; sleep 0.05; done
port=$(sed -n 's|^serving .* at http://127.0.0.1:\([0-9]*\).*|\1|p' "$log")

printf '[endpoints]\nweb_search=127.0.0.1:%s\n' "$port" >"$run/endpoints.ini"
printf '百度网盘\r\n' | iconv -f UTF-8 -t GBK >"$run/xz.db"
printf '[全局]\r\n选择夹=0\r\n[Orvan网盘搜索]\r\n搜索内容=资料\r\n' | iconv -f UTF-8 -t GBK >"$run/config.ini"

ORVANIX_ENDPOINTS="$run/endpoints.ini" "$run/orvanix" &
pid=$!
id=$(wait_for_window '★Orvanix★V2.5' 30) || { echo "FAIL: no window" >&2; exit 1; }
sleep 0.5
# 开始搜索 on page 0.
xdotool mousemove --window "$id" 370 58 click 1
for _ in $(seq 200); do grep -q 'GET /s?' "$log" && break; sleep 0.05; done
grep -q 'GET /s?' "$log" || { echo "FAIL: the search did not reach the server" >&2; exit 1; }
echo "search waiting on the server; closing the window"

close_and_expect_exit "$pid" 5
echo "ended cleanly while the worker was waiting"
