#!/usr/bin/env bash
# The ball and glow spheres are compiled once for the ball radius and again
# whenever it changes: a program started with radius 10 whose radius is then
# set to 20 must show, to the pixel, the picture of a program started with
# 20. Both scenes stand still from their first step, so the pictures depend
# on the drawing alone.
# Usage: test_sphere_lists.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_frozen.sh"
export VENNALOFT_SEED=12345

vl_start_xvfb || exit 1

vf_start_frozen "$program" "$data" -radius 10 || { vl_fail "the program did not start under gdb"; vl_finish; }
vl_require_window
sleep 1
vf_settled_shot "$window" "$VL_TMP/small.png" || vl_fail "radius 10: the picture did not settle"
vf_set "sim.ballRadius = 20" || vl_fail "gdb could not set the radius"
sleep 1
vf_settled_shot "$window" "$VL_TMP/grown.png" || vl_fail "radius set to 20: the picture did not settle"
vf_stop

vf_start_frozen "$program" "$data" || { vl_fail "the program did not start under gdb"; vl_finish; }
vl_require_window
sleep 1
vf_settled_shot "$window" "$VL_TMP/fresh.png" || vl_fail "radius 20: the picture did not settle"
vf_stop

# Otherwise the comparison below could not tell a stale list from a new one.
differing=$(vf_differing "$VL_TMP/small.png" "$VL_TMP/fresh.png")
vl_check "radius 10 and radius 20 look different ($differing pixels)" test "${differing:-0}" -gt 1000
differing=$(vf_differing "$VL_TMP/grown.png" "$VL_TMP/fresh.png")
vl_check "radius set to 20 while running looks like a start at 20 ($differing pixels differ)" test "$differing" = 0

vl_finish
