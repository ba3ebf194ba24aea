#!/usr/bin/env bash
# The keyboard as a user drives it: F2 three times stops the simulation, F1
# starts it again; F3 chases ball 0 and F4 gives back exactly the free view;
# the arrows, a middle-button drag and the wheel move and turn the camera,
# and the picture stops changing when they are let go; Escape ends with
# status 0.
# With the simulation stopped nothing in the picture moves once the flashes
# have faded (the glow pulse stands still too), so these checks compare
# whole screenshots pixel for pixel. A held arrow moves the camera 20 units
# or 2 degrees every step, about 20 steps a second: half a second without
# change shows that a key let go has stopped acting.
# Usage: test_keys_camera.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"

# Sky shows round the room's open front; the sky image is blue to white,
# and nothing else in the picture is bluer than red by that much.
SKY='b > r + 0.04'
LEFT_STRIP=100x480+0+0
RIGHT_STRIP=100x480+540+0
LEFT_HALF=320x480+0+0
RIGHT_HALF=320x480+320+0

vi_open_window 12345 "$program" "$data"
shots=$VL_TMP

# The balls move at the start: without this the stillness below would
# prove nothing.
sleep 1
vi_shot "$window" "$shots/run1.png"
moving=$(vi_wait_differs "$window" "$shots/run1.png" "$shots/run2.png" 300 5)
vl_check "the picture moves at the start ($moving pixels changed)" vi_holds "$moving >= 300"

# F2 three times: 0.3 -> 0.2 -> 0.1 -> 0. Flashes of the last contacts
# fade on the wall clock (3 s at most), so poll for the still picture.
for i in 1 2 3; do vi_tap_key "$window" F2; done
vl_check "F2 three times: two screenshots a second apart are identical" \
    vi_wait_still "$window" "$shots/stopped" 10

# F1 brings motion back.
for i in 1 2 3; do vi_tap_key "$window" F1; done
moved=$(vi_wait_differs "$window" "$shots/stopped.png" "$shots/resumed.png" 300 5)
vl_check "F1: the picture changes again ($moved pixels)" vi_holds "$moved >= 300"

for i in 1 2 3; do vi_tap_key "$window" F2; done
vl_check "F2 again: still" vi_wait_still "$window" "$shots/free" 10

# F3 chases ball 0: a different view, which settles once the eye has glided
# behind the (stopped) ball. F4 returns to the very same free view.
vi_tap_key "$window" F3
chase=$(vi_wait_differs "$window" "$shots/free.png" "$shots/chase_start.png" 150000 5 15%)
vl_check "F3: the camera leaves the free view ($chase of 307200 pixels changed)" vi_holds "$chase >= 150000"
vl_check "F3: the chase view settles on the stopped ball" vi_wait_still "$window" "$shots/chase" 8 0.5
cp "$shots/chase.png" "${VL_SCREENSHOT_OUT:-/dev/null}" 2>/dev/null
vi_tap_key "$window" F4
back=$(vi_wait_matches "$window" "$shots/free.png" "$shots/free_again.png" 0 5)
vl_check "F4: the free view is back, identical ($back pixels differ)" vi_holds "$back == 0"

sky_left=$(vi_fraction "$shots/free.png" $LEFT_STRIP "$SKY")
sky_right=$(vi_fraction "$shots/free.png" $RIGHT_STRIP "$SKY")

# Up held: the camera moves towards the room, which grows over the strips
# of sky at its sides. One step (20 units) already takes a tenth of them;
# about nine take all. How many steps a hold gives depends on the load, so
# Down is held three times as long as Up: it must bring the camera back to
# the start or beyond, where the sky is at least as wide as at the start.
vi_hold_key "$window" Up 0.2
vl_check "Up let go: the picture stops changing" vi_wait_still "$window" "$shots/forward" 5 0.5
fwd_left=$(vi_fraction "$shots/forward.png" $LEFT_STRIP "$SKY")
fwd_right=$(vi_fraction "$shots/forward.png" $RIGHT_STRIP "$SKY")
vl_check "Up: side sky shrinks from $sky_left/$sky_right to $fwd_left/$fwd_right" \
    vi_holds "$fwd_left < $sky_left - 0.04 && $fwd_right < $sky_right - 0.04"

vi_hold_key "$window" Down 0.6
vl_check "Down let go: the picture stops changing" vi_wait_still "$window" "$shots/backward" 5 0.5
back_left=$(vi_fraction "$shots/backward.png" $LEFT_STRIP "$SKY")
back_right=$(vi_fraction "$shots/backward.png" $RIGHT_STRIP "$SKY")
vl_check "Down: side sky widens from $fwd_left/$fwd_right to $back_left/$back_right" \
    vi_holds "$back_left > $fwd_left + 0.04 && $back_right > $fwd_right + 0.04 &&
              $back_left >= $sky_left - 0.005 && $back_right >= $sky_right - 0.005"

# Turning circles the camera round the room's vertical axis, still aimed at
# it: the room turns in the picture and the sky widens on one side.
# lean FILE: sky in the left half minus sky in the right half.
lean() {
    local l r
    l=$(vi_fraction "$1" $LEFT_HALF "$SKY")
    r=$(vi_fraction "$1" $RIGHT_HALF "$SKY")
    awk -v l="$l" -v r="$r" 'BEGIN {printf "%.4f\n", l - r}'
}
lean0=$(lean "$shots/backward.png")
vi_hold_key "$window" Left 0.5
vl_check "Left let go: the picture stops changing" vi_wait_still "$window" "$shots/left" 5 0.5
lean1=$(lean "$shots/left.png")
vl_check "Left: more sky on the left (lean $lean0 -> $lean1)" vi_holds "$lean1 > $lean0 + 0.03"

vi_hold_key "$window" Right 1.0
vl_check "Right let go: the picture stops changing" vi_wait_still "$window" "$shots/right" 5 0.5
lean2=$(lean "$shots/right.png")
vl_check "Right: more sky on the right (lean $lean1 -> $lean2)" vi_holds "$lean2 < $lean1 - 0.03"

# The middle button dragged leftwards past the dead zone holds Left until
# it is let go; three wheel notches forward are three steps forward.
timeout 5 xdotool mousemove --window "$window" 320 240 mousedown 2 mousemove --window "$window" 250 240
sleep 0.5
timeout 5 xdotool mouseup 2
vl_check "middle drag let go: the picture stops changing" vi_wait_still "$window" "$shots/drag" 5 0.5
lean3=$(lean "$shots/drag.png")
vl_check "middle drag left: more sky on the left (lean $lean2 -> $lean3)" vi_holds "$lean3 > $lean2 + 0.03"
sky0=$(vi_fraction "$shots/drag.png" 640x480+0+0 "$SKY")
timeout 5 xdotool click --repeat 3 --delay 100 4
vl_check "wheel: the picture stops changing" vi_wait_still "$window" "$shots/wheel" 5 0.5
sky1=$(vi_fraction "$shots/wheel.png" 640x480+0+0 "$SKY")
vl_check "wheel forward: less sky ($sky0 -> $sky1)" vi_holds "$sky1 < $sky0 - 0.01"

vl_quit_with_escape

vl_finish
