#!/usr/bin/env bash
# The offline demo: serves invented search result pages on 127.0.0.1 and starts the
# Orvanix window pointed at them, so every search tab built so far works without
# the internet. Press "开始搜索" on the tab "网盘搜索区" (the keyword and two ticked
# demo sites are already filled in). Closing the window ends the demo.
#
#   scripts/demo.sh [PORT]        PORT defaults to 8765 (the two magnet sites take the
#                                 next two ports); BUILD_DIR defaults to build/
#
# The window runs from a temporary run directory of its own (its config.ini,
# xz.db and db/wp.edb), so the settings of a real installation are not touched.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
port=${1:-8765}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target orvanix orvanix-cli orvanix-fixture-server make_site_table

run=$(mktemp -d "${TMPDIR:-/tmp}/orvanix-demo.XXXXXX")
server_pids=()
cleanup() {
    for pid in "${server_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$run"
}
trap cleanup EXIT

# The run directory: the program, its optional plugins, the demo's sites and settings.
cp "$build/orvanix" "$run/"
if [ -d "$build/plugins" ]; then cp -r "$build/plugins" "$run/"; fi
mkdir "$run/db"
"$(find "$build" -name make_site_table -type f -perm -u+x | head -n1)" \
    "$root/demo/sites.txt" "$run/db/wp.edb" >/dev/null
printf '演示盘甲\r\n演示盘乙\r\n' | iconv -f UTF-8 -t GBK >"$run/xz.db"
printf '[全局]\r\n选择夹=0\r\n[Orvan网盘搜索]\r\n搜索内容=资料\r\n搜索数量=0\r\n[大片搜索]\r\n搜索内容=电影\r\n' |
    iconv -f UTF-8 -t GBK >"$run/config.ini"

# Every host the program talks to is the demo server.
{
    echo "[endpoints]"
    for key in web_search share_api share_site1 share_site2 netdisk magnet_bt magnet_dht shop maker; do
        case $key in
            magnet_bt) echo "$key=127.0.0.1:$((port + 1))" ;;
            magnet_dht) echo "$key=127.0.0.1:$((port + 2))" ;;
            *) echo "$key=127.0.0.1:$port" ;;
        esac
    done
} >"$run/endpoints.ini"

# One server for the pages of most hosts; the two magnet sites use the same paths
# as other hosts, so each has a server of its own.
server=$(find "$build" -name orvanix-fixture-server -type f -perm -u+x | head -n1)
"$server" --quiet "$port" "$root/demo/pages" &
server_pids+=($!)
"$server" --quiet "$((port + 1))" "$root/demo/magnet_bt" &
server_pids+=($!)
"$server" --quiet "$((port + 2))" "$root/demo/magnet_dht" &
server_pids+=($!)
for _ in $(seq 50); do
    if curl -s -o /dev/null "http://127.0.0.1:$port/s"; then break; fi
    sleep 0.1
done

echo "Demo pages on http://127.0.0.1:$port/ (run directory $run)"
echo "The same search from a terminal:"
echo "  ORVANIX_ENDPOINTS=$run/endpoints.ini $build/orvanix-cli netdisk 资料 --site 演示盘甲=demo-a.pan.example"
ORVANIX_ENDPOINTS="$run/endpoints.ini" "$run/orvanix"
