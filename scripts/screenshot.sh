#!/usr/bin/env bash
# Regenerates docs/screenshot.png from the real window: the program runs
# under a private Xvfb with a fixed seed and the default settings, and the
# window is captured after about a second of running.
#   scripts/screenshot.sh [PROGRAM [DATA_DIR [OUTPUT]]]
# Defaults: build/vennaloft, build/data, docs/screenshot.png (make build first).
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/vennaloft}")
data=$(realpath "${2:-$root/build/data}")
output=$(realpath -m "${3:-$root/docs/screenshot.png}")
if [ ! -x "$program" ] || [ ! -f "$data/sky.bmp" ]; then
    echo "no program at $program or no data in $data: run 'make build' first" >&2
    exit 1
fi

source "$root/tests/window/lib.sh"

vl_start_xvfb || exit 1
export VENNALOFT_SEED=12345
vl_start_program "$program" "$data"
window=$(vl_wait_window 30)
if [ -z "$window" ]; then
    echo "the window did not appear" >&2
    vl_show_program_output >&2
    exit 1
fi

# About a second of running: the balls have left their start places and
# the glow spheres have grown a little.
sleep 1
mkdir -p "$(dirname "$output")"
if ! vl_screenshot "$window" "$VL_TMP/shot.png"; then
    echo "could not capture the window" >&2
    exit 1
fi
# Strip the capture time so an unchanged picture gives an unchanged file.
timeout 30 "$VL_CONVERT" "$VL_TMP/shot.png" -strip "png:$output" || exit 1
vl_send_key "$window" Escape
vl_wait_exit 10
echo "wrote $output"
