#!/usr/bin/env bash
# Installs the Debian packages the build, the demo and the tests need, skipping
# those already present. Prints what it installs. "web" adds the browser
# build's toolchain and the browser its tests drive (`make web`, `make test`).
#
#   scripts/install_deps.sh [web]
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  freeglut3-dev libglu1-mesa-dev libsdl2-mixer-dev libasound2-dev
  libgtest-dev libbenchmark-dev clang
  libgl1-mesa-dri xvfb xauth xdotool imagemagick x11-utils gdb
  dpkg-dev file desktop-file-utils groff-base
)

# The browser build: Debian's emscripten (with its own clang and node
# helpers), chromium for the page tests, python3 for `make serve-web`. Node and npm come with the
# machine; Debian's are added only where there are none.
web_packages=(emscripten chromium python3)
if [ "${1:-}" = web ]; then
  packages+=("${web_packages[@]}")
  command -v node >/dev/null || packages+=(nodejs)
  command -v npm >/dev/null || packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
