#!/usr/bin/env bash
# Smooth motion (-smooth, M) under a real window, with automatic fire so
# shots, flashes and the glow all move: running, the picture changes
# between steps; paused, it stands still, and is the very picture drawn
# without smooth motion at the same step (M off and on again, O for a step
# of its own with it on, then off). Home after flying the camera away, still
# paused, gives the start picture back.
# Usage: test_smooth.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"

vi_open_window 12345 "$program" "$data" -nr 20 -smooth
shots=$VL_TMP

vi_tap_key "$window" F5
sleep 1.5

vi_tap_key "$window" p
vi_wait_still "$window" "$shots/smooth" 5 0.5
vl_check "P with smooth motion: the picture stands still" test $? = 0
vi_tap_key "$window" m
sleep 0.5
vi_shot "$window" "$shots/plain.png"
n=$(vi_differing "$shots/smooth.png" "$shots/plain.png")
vl_check "paused, M off: the same step's frame without smooth motion ($n pixels differ)" vi_holds "$n == 0"

# A step of its own drawn with smooth motion on, then off.
vi_tap_key "$window" m
vi_tap_key "$window" o
n=$(vi_wait_differs "$window" "$shots/plain.png" "$shots/step_smooth.png" 200 5)
vl_check "O with smooth motion: the picture changes ($n pixels)" vi_holds "$n >= 200"
sleep 0.5
vi_shot "$window" "$shots/step_smooth.png"
vi_tap_key "$window" m
sleep 0.5
vi_shot "$window" "$shots/step_plain.png"
n=$(vi_differing "$shots/step_smooth.png" "$shots/step_plain.png")
vl_check "that step without smooth motion: the same frame ($n pixels differ)" vi_holds "$n == 0"

# Paused, the free camera still flies; the camera has not moved since the
# start, so this is the start picture of this step.
vi_tap_key "$window" m
sleep 0.5
vi_shot "$window" "$shots/home_start.png"
vi_point_into "$window"
timeout 5 xdotool keydown Down keydown Left
sleep 1.5
timeout 5 xdotool keyup Down keyup Left
n=$(vi_wait_differs "$window" "$shots/home_start.png" "$shots/flown.png" 20000 5)
vl_check "arrows while paused: the camera flew away ($n pixels differ)" vi_holds "$n >= 20000"
vi_tap_key "$window" Home
n=$(vi_wait_matches "$window" "$shots/home_start.png" "$shots/home_back.png" 0 5)
vl_check "Home: the start picture again ($n pixels differ)" vi_holds "$n == 0"

vl_quit_with_escape
vl_finish
