#!/usr/bin/env bash
# Installs what building, running and testing Orvanix needs (Debian 12, as root).
# Idempotent and quiet when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev libqt6webenginecore6-bin qt6-image-formats-plugins
  libcurl4-openssl-dev libicu-dev libpcre2-dev libsqlite3-dev libssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev
  xvfb xauth x11-utils xdotool wmctrl openbox trayer fonts-noto-cjk sqlite3 curl time
  imagemagick
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages: ${missing[*]}; run as root (or install them) and try again" >&2
  exit 1
fi
echo "setup: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq >/dev/null
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
