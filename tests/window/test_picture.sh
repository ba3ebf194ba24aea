#!/usr/bin/env bash
# What the first frames show: sky at the top and round the room, brick walls
# and a tiled floor in the middle, the balls in their own colours, and no
# pixel left black. The balls move from one second to the next, and after
# the window is made wide the sky still fills all of it while the room keeps
# its shape.
# Usage: test_picture.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

# With this seed two of the five balls are green, a colour nothing else in
# the room has (sky blue, brick red, grey marble, lilac cones, pink domes,
# yellow glow): green pixels can only come from balls.
export VENNALOFT_SEED=12345
GREEN='g > 1.25 * r && g > 1.25 * b && g > 0.25'
BRICK='r > 1.5 * b && r > 1.3 * g && r > 0.1'
SKY='b > r + 0.08 && b > g'
FLOOR='r > b + 0.03 && r < 1.5 * b && g < r'
BLACK='r + g + b < 0.06'

vl_start_xvfb || exit 1
vl_start_program "$program" "$data"

vl_require_window

# check_fraction FILE REGION CONDITION MIN WHAT
check_fraction() {
    local f
    f=$(vl_region_fraction "$1" "$2" "$3")
    if awk -v f="$f" -v m="$4" 'BEGIN {exit !(f >= m)}'; then
        vl_pass "$5 ($f of $2)"
    else
        vl_fail "$5: only $f of $2 (want $4)"
    fi
}

# The first frame may still be on its way when the window maps: wait for
# the balls rather than for a fixed time. The very first frame is drawn with
# the additive blending that start-up leaves on (each frame turns it off at
# its end), so everything in it shows pale over the sky; on a loaded machine
# it can stay up long enough to be caught. Wait for a frame after it: the
# left wall's brick red appears.
first="$VL_TMP/first.png"
green_count=0
for i in $(seq 1 25); do
    vl_screenshot "$window" "$first"
    read -r green_count _ <<<"$(vl_pixels_where "$first" "$GREEN")"
    wall=$(vl_region_fraction "$first" 60x150+90+150 "$BRICK")
    [ "$green_count" -gt 0 ] && awk -v f="$wall" 'BEGIN {exit !(f > 0)}' && break
    sleep 0.2
done

check_fraction "$first" 70x100+0+0 "$SKY" 0.95 "sky in the top left corner"
check_fraction "$first" 70x100+570+0 "$SKY" 0.95 "sky in the top right corner"
check_fraction "$first" 60x30+210+0 "$SKY" 0.95 "sky above the room, through the ceiling"
check_fraction "$first" 60x150+90+150 "$BRICK" 0.6 "brick on the left wall"
check_fraction "$first" 60x150+480+150 "$BRICK" 0.6 "brick on the right wall"
check_fraction "$first" 40x50+355+370 "$FLOOR" 0.7 "tiles on the floor"

# Two green balls of radius 20 seen from about 1000 away: a few hundred
# pixels each, inside the room's opening.
read -r count cx cy left top right bottom <<<"$(vl_pixels_where "$first" "$GREEN")"
if [ "$count" -ge 200 ] && [ "$left" -ge 78 ] && [ "$right" -le 562 ]; then
    vl_pass "green balls: $count pixels in x $left..$right, y $top..$bottom"
else
    vl_fail "green balls: $count pixels in x $left..$right, y $top..$bottom"
fi

read -r count _ <<<"$(vl_pixels_where "$first" "$BLACK")"
if [ "$count" -eq 0 ]; then
    vl_pass "no black pixel: the sky lies behind everything"
else
    vl_fail "$count black pixels"
fi

# Balls move: the green pixels of a later frame are not those of the first.
# The balls start slowly, so a loaded machine may need a few seconds.
before="$VL_TMP/before.png"
after="$VL_TMP/after.png"
cp "$first" "$before"
moved=0
for i in $(seq 1 6); do
    sleep 1
    vl_screenshot "$window" "$after"
    read -r only_before only_after both <<<"$(vl_pixels_changed_where "$before" "$after" "$GREEN")"
    moved=$(awk -v a="$only_before" -v b="$only_after" -v c="$both" 'BEGIN {printf "%.3f", (a + b) / (a + b + c + 1)}')
    awk -v m="$moved" 'BEGIN {exit !(m >= 0.05)}' && break
done
if awk -v m="$moved" 'BEGIN {exit !(m >= 0.05)}'; then
    vl_pass "the balls move: $moved of their pixels changed place after $i s"
else
    vl_fail "the balls' pixels changed place by only $moved"
fi
# Elsewhere only the glow spheres pulse: most of the picture holds still.
still=$(vl_changed_fraction "$before" "$after")
if awk -v s="$still" 'BEGIN {exit !(s < 0.1)}'; then
    vl_pass "the rest holds still ($still changed)"
else
    vl_fail "$still of the picture changed"
fi

# A wide window: the projection takes the new aspect, the sky stretches to
# fill it. The room's near edges are vertical lines 484 pixels apart at a
# height of 480; at a height of 360 they must be 363 apart, centred.
vl_resize "$window" 960 360
if vl_wait_geometry "$window" 960x360 10; then
    wide="$VL_TMP/wide.png"
    # Wait for a frame drawn at the new size: the right-hand sky appears.
    for i in $(seq 1 25); do
        vl_screenshot "$window" "$wide"
        read -r count _ <<<"$(vl_pixels_where "$wide" "$BLACK")"
        [ "$count" -eq 0 ] && break
        sleep 0.2
    done
    if [ "$count" -eq 0 ]; then
        vl_pass "960x360: no black pixel"
    else
        vl_fail "960x360: $count black pixels"
    fi
    check_fraction "$wide" 280x360+0+0 'b >= g && g >= r && b > 0.2' 0.98 "960x360: sky left of the room"
    check_fraction "$wide" 280x360+680+0 'b >= g && g >= r && b > 0.2' 0.98 "960x360: sky right of the room"
    read -r _ _ _ left _ right _ <<<"$(vl_pixels_where "$wide" "($BRICK) && y >= 150 && y <= 250")"
    if [ "$left" != - ] && awk -v l="$left" -v r="$right" 'BEGIN {w = r - l; c = (l + r) / 2
            exit !(w >= 352 && w <= 374 && c >= 474 && c <= 486)}'; then
        vl_pass "960x360: the room spans x $left..$right"
    else
        vl_fail "960x360: the room spans x $left..$right, want about 298..661"
    fi
else
    vl_fail "the window did not take 960x360: $(vl_window_geometry "$window")"
fi

vl_send_key "$window" Escape
vl_wait_exit 10
if [ "$VL_EXIT_STATUS" = "0" ] && [ ! -s "$VL_PROGRAM_LOG" ]; then
    vl_pass "Escape ends with status 0, nothing printed"
else
    vl_fail "after Escape the program is $VL_EXIT_STATUS"
    vl_show_program_output
fi

vl_finish
