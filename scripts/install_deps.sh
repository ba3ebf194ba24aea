#!/usr/bin/env bash
# Installs the Debian packages that the named groups need, skipping those
# already present, and prints what it installs. Each make target asks only
# for its own groups, so `make run` brings in no test tools.
#
# Usage: install_deps.sh GROUP...
#   build    compiler, CMake, GL, GLU, freeglut, SDL2_mixer, ALSA, Xlib,
#            Dear ImGui and stb: what building and running the demo need
#   test     GoogleTest, benchmark, clang, Xvfb and the tools the tests drive,
#            gdb and python3 for the checks that read debug information
#   package  what `make package` needs to build the .deb and check it
#   web      the browser build's toolchain (Debian's emscripten), chromium for
#            the page tests, python3 for `make serve-web`; node and npm come
#            with the machine, Debian's only where there are none
#   cross    the replays on other machines: an aarch64 compiler and
#            qemu-user to run its programs, and python3-mpmath for the
#            check of our sin and cos against a high-precision reference
# A new group is one more case below.
set -euo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 GROUP... (the groups are listed at the top of the script)" >&2
  exit 2
fi

packages=()
for group in "$@"; do
  case "$group" in
    build) packages+=(
      build-essential cmake pkg-config
      freeglut3-dev libglu1-mesa-dev libx11-dev libsdl2-mixer-dev libasound2-dev
      libimgui-dev libstb-dev libgl1-mesa-dri) ;;
    test) packages+=(
      libgtest-dev libbenchmark-dev clang
      xvfb xauth xdotool imagemagick x11-utils gdb python3
      desktop-file-utils groff-base librsvg2-bin) ;;
    package) packages+=(dpkg-dev file lintian) ;;
    web) packages+=(emscripten chromium python3)
      command -v node >/dev/null || packages+=(nodejs)
      command -v npm >/dev/null || packages+=(npm) ;;
    cross) packages+=(g++-aarch64-linux-gnu qemu-user python3-mpmath python3-gmpy2) ;;
    *)
      echo "$0: unknown group '$group' (the groups are listed at the top of the script)" >&2
      exit 2 ;;
  esac
done

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
