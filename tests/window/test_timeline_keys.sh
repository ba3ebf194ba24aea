#!/usr/bin/env bash
# The timeline keys in the window: B held while paused steps back about ten
# times a second (our own repeat, after a short delay), Page Up goes 100
# steps back. Steps back are not recorded, but new input after them starts
# a branch, and the recording's "b N" line says where the scene stood.
# Usage: test_timeline_keys.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"

vl_start_xvfb || exit 1
export VENNALOFT_SEED=7
recording="$VL_TMP/timeline.vlr"

# branch_numbers FILE: the last step run before the first branch, and the step it went back to.
branch_numbers() {
    awk '$1 == "s" { last = $2 } $1 == "b" { print last, $2; exit }' "$1"
}

# Held B for 2 s: one step back at once, then (2 - 0.4) s at ten a second.
vl_start_program "$program" "$data" -record "$recording"
vl_require_window
vi_point_into "$window"
sleep 9
vi_tap_key "$window" p
sleep 0.5
vi_hold_key "$window" b 2
sleep 0.3
vi_tap_key "$window" F7
vl_quit_with_escape
read -r newest back <<<"$(branch_numbers "$recording")"
steps=$(( ${newest:-0} - ${back:-0} ))
vl_check "held B for 2 s stepped back $steps steps (from ${newest:-?} to ${back:-?}): about ten a second" \
    test "$steps" -ge 12 -a "$steps" -le 22

# Page Up: 100 steps back at once.
vl_start_program "$program" "$data" -record "$recording"
vl_require_window
vi_point_into "$window"
sleep 9
vi_tap_key "$window" p
sleep 0.5
vi_tap_key "$window" Prior
sleep 0.3
vi_tap_key "$window" F7
vl_quit_with_escape
read -r newest back <<<"$(branch_numbers "$recording")"
vl_check "Page Up went 100 steps back (from ${newest:-?} to ${back:-?})" test "$(( ${newest:-0} - ${back:-0} ))" -eq 100
vl_finish
