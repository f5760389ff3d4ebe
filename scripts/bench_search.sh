#!/usr/bin/env bash
# A netdisk search of 10 sites through orvanix-cli against the fixture server on
# 127.0.0.1, side by side with curl fetching the same 10 URLs one after another
# (HTTP/1.0, one connection each, as the program's page fetch does). Prints the
# median wall time of each over RUNS runs and their ratio (cli / curl).
#
#   scripts/bench_search.sh [RUNS]    RUNS defaults to 21; BUILD_DIR defaults to build/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${1:-21}
port=${PORT:-18799}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target orvanix-cli orvanix-fixture-server >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/orvanix-bench.XXXXXX")
server_pid=""
cleanup() {
    if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

"$(find "$build" -name orvanix-fixture-server -type f -perm -u+x | head -n1)" \
    --quiet "$port" "$root/demo/pages" >/dev/null &
server_pid=$!
for _ in $(seq 50); do
    if curl -s -o /dev/null "http://127.0.0.1:$port/s"; then break; fi
    sleep 0.1
done
printf '[endpoints]\nweb_search=127.0.0.1:%s\n' "$port" >"$work/endpoints.ini"

sites=() urls=()
for i in $(seq 1 10); do
    sites+=(--site "site$i=site$i.pan.example")
    urls+=("http://127.0.0.1:$port/s?ie=utf-8&f=8&rsv_bp=1&tn=baidu&wd=site%3Asite$i.pan.example%20%E8%B5%84%E6%96%99&rn=20")
done

cli() { ORVANIX_ENDPOINTS="$work/endpoints.ini" "$build/orvanix-cli" netdisk 资料 "${sites[@]}" >/dev/null 2>&1; }
fetch() { curl -s --http1.0 -H 'Connection: close' "${urls[@]}" -o /dev/null -o /dev/null -o /dev/null \
    -o /dev/null -o /dev/null -o /dev/null -o /dev/null -o /dev/null -o /dev/null -o /dev/null; }

# Median wall time of a command in microseconds.
median_us() {
    local times=()
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s%N)
        "$@"
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p"
}

rows=$(ORVANIX_ENDPOINTS="$work/endpoints.ini" "$build/orvanix-cli" netdisk 资料 "${sites[@]}" 2>/dev/null | tail -n +2 | wc -l)
cli; fetch  # warm up
cli_us=$(median_us cli)
curl_us=$(median_us fetch)
echo "netdisk search of 10 sites ($rows rows), median of $runs runs:"
echo "  orvanix-cli  ${cli_us} us"
echo "  curl         ${curl_us} us"
awk -v a="$cli_us" -v b="$curl_us" 'BEGIN { printf "  ratio cli/curl %.2f (goal: at most 1.3)\n", a / b }'
