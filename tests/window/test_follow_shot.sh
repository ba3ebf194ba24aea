#!/usr/bin/env bash
# A right click fires a shot through the pointer and the camera follows it;
# F4 gives the free camera back. Judged by how much of the picture changes:
# between two free-camera frames only the balls and the glow move.
# Usage: test_follow_shot.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

vl_start_xvfb || exit 1
export VENNALOFT_SEED=12345
vl_start_program "$program" "$data"

vl_require_window

sleep 2
vl_screenshot "$window" "$VL_TMP/free1.png"
sleep 1
vl_screenshot "$window" "$VL_TMP/free2.png"
still=$(vl_changed_fraction "$VL_TMP/free1.png" "$VL_TMP/free2.png")
if awk -v f="$still" 'BEGIN {exit !(f < 0.1)}'; then
    vl_pass "free camera holds still ($still changed)"
else
    vl_fail "free camera frames differ in $still of the picture"
fi

vl_click "$window" 320 240 3
sleep 1.5
vl_screenshot "$window" "$VL_TMP/follow.png"
cp "$VL_TMP/follow.png" "${VL_SCREENSHOT_OUT:-/dev/null}" 2>/dev/null
moved=$(vl_changed_fraction "$VL_TMP/free2.png" "$VL_TMP/follow.png")
if awk -v f="$moved" 'BEGIN {exit !(f > 0.3)}'; then
    vl_pass "right click: the camera follows the shot ($moved changed)"
else
    vl_fail "right click changed only $moved of the picture"
fi

vl_send_key "$window" F4
sleep 1.5
vl_screenshot "$window" "$VL_TMP/back.png"
back=$(vl_changed_fraction "$VL_TMP/free2.png" "$VL_TMP/back.png")
if awk -v f="$back" 'BEGIN {exit !(f < 0.1)}'; then
    vl_pass "F4: the free camera is back ($back changed)"
else
    vl_fail "after F4 the picture still differs in $back"
fi

vl_quit_with_escape

vl_finish
