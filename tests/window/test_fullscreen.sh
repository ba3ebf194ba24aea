#!/usr/bin/env bash
# "-f" fills the screen and the first reshape gives the projection the
# screen's aspect; the other options are taken along.
# Usage: test_fullscreen.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

vl_start_xvfb || exit 1
export VENNALOFT_SEED=777
vl_start_program "$program" "$data" -nr 45 -f -radius 12

vl_require_window

geometry=$(vl_window_geometry "$window")
if [ "$geometry" = "1024x768+0+0" ]; then
    vl_pass "full screen $geometry"
else
    vl_fail "geometry is $geometry, expected the whole 1024x768 screen"
fi

sleep 3
shot="$VL_TMP/fullscreen.png"
vl_screenshot "$window" "$shot"
cp "$shot" "${VL_SCREENSHOT_OUT:-/dev/null}" 2>/dev/null

# With the screen's 4:3 aspect the room keeps its shape: the near opening
# of the room is as wide as at 640x480, scaled, so sky shows in the same
# side strips (a wrong aspect of 1.0 would stretch the room over them).
for region in 80x460+8+150 80x460+936+150; do
    lit=$(vl_region_fraction "$shot" "$region" 'r+g+b>0.06')
    brick=$(vl_region_fraction "$shot" "$region" 'r>1.6*b && r>0.3')
    if awk -v f="$lit" -v b="$brick" 'BEGIN {exit !(f > 0.9 && b < 0.05)}'; then
        vl_pass "sky in $region"
    else
        vl_fail "side strip $region: $lit lit, $brick brick-red"
    fi
done

# The scene is drawn over the whole screen, not in a 640x480 corner: the
# room's middle, right of 640, is textured.
colours=$(vl_region_colours "$shot" 200x300+650+200)
if [ "$colours" -gt 200 ]; then
    vl_pass "right half of the room shows $colours colours"
else
    vl_fail "right half of the room shows only $colours colours"
fi

vl_quit_with_escape

vl_finish
