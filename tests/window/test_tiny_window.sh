#!/usr/bin/env bash
# Squeezing the window to a single pixel, a single row or a single column
# neither crashes nor stops the program, and once the window is back at
# 640x480 the picture fills it again and moves on. A height of 0 cannot
# be asked of the X server (sizes start at 1); xdotool keeps the old
# height then, and the program must simply go on.
# Usage: test_tiny_window.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

export VENNALOFT_SEED=12345
GREEN='g > 1.25 * r && g > 1.25 * b && g > 0.25'

vl_start_xvfb || exit 1
vl_start_program "$program" "$data"

vl_require_window

for size in 640x0 1x1 640x1 1x480 1x1; do
    vl_resize "$window" "${size%x*}" "${size#*x}"
    sleep 0.5
    geometry=$(vl_window_geometry "$window")
    if vl_program_running; then
        vl_pass "asked for $size, got ${geometry%%+*}, still running"
    else
        vl_fail "asked for $size: the program ended"
        vl_wait_exit 1
        echo "status $VL_EXIT_STATUS"
        vl_show_program_output
        vl_finish
    fi
done

vl_resize "$window" 640 480
if ! vl_wait_geometry "$window" 640x480 10; then
    vl_fail "not back at 640x480: $(vl_window_geometry "$window")"
fi

# Drawn again at full size: nothing black, sky at the sides.
shot="$VL_TMP/back.png"
for i in $(seq 1 25); do
    vl_screenshot "$window" "$shot"
    read -r black _ <<<"$(vl_pixels_where "$shot" 'r + g + b < 0.06')"
    [ "$black" -eq 0 ] && break
    sleep 0.2
done
sky=$(vl_region_fraction "$shot" 50x300+5+90 'b > r + 0.08 && b > g')
if [ "$black" -eq 0 ] && awk -v f="$sky" 'BEGIN {exit !(f > 0.9)}'; then
    vl_pass "640x480 again: the picture fills the window"
else
    vl_fail "640x480 again: $black black pixels, sky $sky on the left"
fi

# ... and keeps moving: the green balls are somewhere else a moment later.
moved=0
for i in $(seq 1 6); do
    sleep 1
    vl_screenshot "$window" "$VL_TMP/later.png"
    read -r only_before only_after both <<<"$(vl_pixels_changed_where "$shot" "$VL_TMP/later.png" "$GREEN")"
    moved=$(awk -v a="$only_before" -v b="$only_after" -v c="$both" 'BEGIN {printf "%.3f", (a + b) / (a + b + c + 1)}')
    awk -v m="$moved" 'BEGIN {exit !(m >= 0.05)}' && break
done
if awk -v m="$moved" 'BEGIN {exit !(m >= 0.05)}'; then
    vl_pass "the balls move on ($moved of their pixels changed place)"
else
    vl_fail "the balls' pixels changed place by only $moved"
fi

vl_send_key "$window" Escape
vl_wait_exit 10
if [ "$VL_EXIT_STATUS" = "0" ] && [ ! -s "$VL_PROGRAM_LOG" ] && [ ! -s "$VL_PROGRAM_ERR" ]; then
    vl_pass "Escape ends with status 0, nothing printed"
else
    vl_fail "after Escape the program is $VL_EXIT_STATUS"
    vl_show_program_output
fi

vl_finish
