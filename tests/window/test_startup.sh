#!/usr/bin/env bash
# Start-up under a real X server: the window appears with its title and
# size, the first frames show the scene, and Escape ends the program with
# status 0.
# Usage: test_startup.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

vl_start_xvfb || exit 1
export VENNALOFT_SEED=12345
vl_start_program "$program" "$data"

vl_require_window

title=$(vl_window_title "$window")
if [ "$title" = "$VL_TITLE" ]; then vl_pass "title"; else vl_fail "title is '$title'"; fi

geometry=$(vl_window_geometry "$window")
case "$geometry" in
    640x480+0+0) vl_pass "geometry $geometry" ;;
    *) vl_fail "geometry is $geometry, expected 640x480+0+0" ;;
esac

# Let a few steps and frames run (software GL is slow).
sleep 3
shot="$VL_TMP/startup.png"
vl_screenshot "$window" "$shot"
cp "$shot" "${VL_SCREENSHOT_OUT:-/dev/null}" 2>/dev/null

# From the start camera the room's near opening leaves a strip of sky on
# either side: it must be drawn, not the black clear colour.
for region in 50x300+5+90 50x300+585+90; do
    lit=$(vl_region_fraction "$shot" "$region" 'r+g+b>0.06')
    if awk -v f="$lit" 'BEGIN {exit !(f > 0.9)}'; then
        vl_pass "sky in $region ($lit lit)"
    else
        vl_fail "sky in $region is mostly black ($lit lit)"
    fi
done

# The middle of the room shows textured walls, floor and obstacles.
colours=$(vl_region_colours "$shot" 200x200+220+140)
if [ "$colours" -gt 200 ]; then
    vl_pass "room centre has $colours colours"
else
    vl_fail "room centre has only $colours colours"
fi

# The glow spheres at the three cone tips add yellow and pulse: their size
# and alpha swing with the simulated time, so over some seconds the yellow
# around the tips must both appear strongly and fade.
yellow_at_tips() {
    local file=$1 total=0 region f
    for region in 60x60+224+210 60x60+290+310 60x60+341+246; do
        f=$(vl_region_fraction "$file" "$region" 'r>0.5 && g>0.5 && b<0.6*g')
        total=$(awk -v a="$total" -v b="$f" 'BEGIN {print a + b}')
    done
    echo "$total"
}
most=0
least=1
for i in $(seq 1 12); do
    frame="$VL_TMP/glow$i.png"
    vl_screenshot "$window" "$frame"
    y=$(yellow_at_tips "$frame")
    most=$(awk -v a="$most" -v b="$y" 'BEGIN {print (b > a) ? b : a}')
    least=$(awk -v a="$least" -v b="$y" 'BEGIN {print (b < a) ? b : a}')
    awk -v hi="$most" -v lo="$least" 'BEGIN {exit !(hi >= 0.05 && lo <= hi / 2)}' && break
    sleep 1
done
if awk -v hi="$most" -v lo="$least" 'BEGIN {exit !(hi >= 0.05 && lo <= hi / 2)}'; then
    vl_pass "glow spheres pulse (yellow at tips from $least to $most)"
else
    vl_fail "glow spheres: yellow at tips only from $least to $most"
fi

vl_quit_with_escape

if [ ! -s "$VL_PROGRAM_LOG" ]; then
    vl_pass "nothing printed on standard output"
else
    vl_fail "unexpected standard output"
    vl_show_program_output
fi

vl_finish
