#!/usr/bin/env bash
# Takes the README's inspect-mode screenshot: 20 balls at full speed with
# automatic fire, paused after eight seconds, with the collision view (V)
# and the help overlay (H) on, under a private Xvfb.
# Usage: scripts/screenshot_inspect.sh [BUILD_DIR] [OUT.png]
#   defaults: build, docs/screenshot_inspect.png (relative to the repository)
# Needs Xvfb, xdotool and ImageMagick (`scripts/install_deps.sh test` installs them).
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
out=$(realpath -m "${2:-$root/docs/screenshot_inspect.png}")
program="$build/vennaloft"
data="$build/data"
[ -x "$program" ] && [ -d "$data" ] || { echo "no $program or $data: run make build first" >&2; exit 1; }

source "$root/tests/window/lib.sh"
source "$root/tests/window/lib_input.sh"

vl_start_xvfb || exit 1
vl_start_program "$program" "$data" -nr 20 -seed 2024

window=$(vl_wait_window 30)
if [ -z "$window" ]; then
    echo "no window titled '$VL_TITLE' within 30 s" >&2
    vl_show_program_output >&2
    exit 1
fi
vi_point_into "$window"

for i in 1 2 3 4 5; do vi_tap_key "$window" F1; done
vi_tap_key "$window" F5
sleep 8
vi_tap_key "$window" p
vi_tap_key "$window" v
vi_tap_key "$window" h
# The frame rate on the panel is measured over a second.
sleep 1.5
vi_shot "$window" "$VL_TMP/inspect.png" || { echo "could not capture the window" >&2; exit 1; }
vi_tap_key "$window" Escape
vl_wait_exit 10

mkdir -p "$(dirname "$out")"
# Strip the capture time so an unchanged picture gives an unchanged file.
timeout 30 "$VL_CONVERT" "$VL_TMP/inspect.png" -strip "png:$out" || exit 1
echo "wrote $out"
