#!/usr/bin/env bash
# P puts "Paused (P)" in the bottom right corner, and only while paused:
# the rest of the picture stays as it was, and P again takes the label away.
# The scene stands still from its first step, so the pictures depend on
# the label alone.
# Usage: test_pause_label.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"
source "$here/lib_frozen.sh"
export VENNALOFT_SEED=12345

vl_start_xvfb || exit 1
vf_start_frozen "$program" "$data" || { vl_fail "the program did not start under gdb"; vl_finish; }
vl_require_window
sleep 1
shots=$VL_TMP
vf_settled_shot "$window" "$shots/running.png" || vl_fail "running: the picture did not settle"
vi_tap_key "$window" p
vf_settled_shot "$window" "$shots/paused.png" || vl_fail "paused: the picture did not settle"
vi_tap_key "$window" p
vf_settled_shot "$window" "$shots/resumed.png" || vl_fail "resumed: the picture did not settle"
vf_stop

# The bottom right corner of the 640x480 window, with room round the label.
corner=130x50+510+430
changed=$(vf_differing "$shots/running.png" "$shots/paused.png")
light=$(vl_pixels_changed_where "$shots/running.png" "$shots/paused.png" \
    'x >= 510 && y >= 430 && r > 0.8 && g > 0.8 && b > 0.6' | awk '{print $2}')
vi_masked "$shots/running_rest.png" "$shots/running.png" "$corner"
vi_masked "$shots/paused_rest.png" "$shots/paused.png" "$corner"
rest=$(vf_differing "$shots/running_rest.png" "$shots/paused_rest.png")
vl_check "paused: a label in the corner ($changed pixels changed, $light of them newly light text)" \
    vi_holds "$changed >= 1000 && $light >= 60"
vl_check "paused: the rest of the picture is unchanged ($rest pixels differ)" test "$rest" = 0
differing=$(vf_differing "$shots/running.png" "$shots/resumed.png")
vl_check "P again: the label is gone, the picture as before ($differing pixels differ)" test "$differing" = 0

vl_finish
