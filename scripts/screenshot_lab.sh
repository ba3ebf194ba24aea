#!/usr/bin/env bash
# Takes the README's screenshots of the window's panels: 20 balls with
# automatic fire, paused after six seconds, ball 0 selected in inspect
# mode with its path, the collision view's legend and the lab (-lab) open,
# at 640x480 and at 1920x1080, under a private Xvfb.
# Usage: scripts/screenshot_lab.sh [BUILD_DIR] [OUT_PREFIX]
#   defaults: build, docs/screenshot_lab (gives docs/screenshot_lab.png and
#   docs/screenshot_lab_big.png)
# Needs Xvfb, xdotool and ImageMagick (`scripts/install_deps.sh test` installs them).
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
prefix=$(realpath -m "${2:-$root/docs/screenshot_lab}")
program="$build/vennaloft"
data="$build/data"
[ -x "$program" ] && [ -d "$data" ] || { echo "no $program or $data: run make build first" >&2; exit 1; }

source "$root/tests/window/lib.sh"
source "$root/tests/window/lib_input.sh"

export VL_SCREEN=1920x1080
vl_start_xvfb || exit 1
mkdir -p "$(dirname "$prefix")"

# shoot WIDTH HEIGHT OUT.png
shoot() {
    vl_start_program "$program" "$data" -nr 20 -seed 2024 -lab
    window=$(vl_wait_window 30)
    if [ -z "$window" ]; then
        echo "no window titled '$VL_TITLE' within 30 s" >&2
        vl_show_program_output >&2
        exit 1
    fi
    vl_resize "$window" "$1" "$2"
    vl_wait_geometry "$window" "$1x$2" 10 || { echo "window not at $1x$2" >&2; exit 1; }
    vi_point_into "$window"
    vi_tap_key "$window" F5
    sleep 5
    # The chase camera puts ball 0 in the middle, where inspect mode's
    # click selects it (the lab's panels, closed for it, would take the click);
    # then the free camera again, with its path.
    vi_tap_key "$window" F3
    sleep 1
    vi_tap_key "$window" p
    vi_tap_key "$window" t
    vi_tap_key "$window" d
    vi_tap_key "$window" i
    sleep 0.5
    vi_hold_button "$window" $(($1 / 2)) $(($2 / 2)) 1 0.15
    vi_tap_key "$window" t
    vi_tap_key "$window" d
    vi_tap_key "$window" F4
    vi_tap_key "$window" v
    vi_tap_key "$window" l
    sleep 1.5
    vi_shot "$window" "$VL_TMP/lab.png" || { echo "could not capture the window" >&2; exit 1; }
    vi_tap_key "$window" Escape
    vl_wait_exit 10
    # Strip the capture time so an unchanged picture gives an unchanged file.
    timeout 30 "$VL_CONVERT" "$VL_TMP/lab.png" -strip "png:$3" || exit 1
    echo "wrote $3"
}

shoot 640 480 "$prefix.png"
shoot 1920 1080 "${prefix}_big.png"
