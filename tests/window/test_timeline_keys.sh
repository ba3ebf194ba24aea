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

recording="$VL_TMP/timeline.vlr"

# branch_after HOW KEY...: a recorded run paused after the warm-up, the key
# pressed there with HOW (vi_hold_key, vi_tap_key), then F7, new input that
# starts a branch, and Escape; sets newest and back from the recording:
# the last step run before the first branch, and the step it went back to.
branch_after() {
    vi_open_window 7 "$program" "$data" -record "$recording"
    sleep 9
    vi_tap_key "$window" p
    sleep 0.5
    "$1" "$window" "${@:2}"
    sleep 0.3
    vi_tap_key "$window" F7
    vl_quit_with_escape
    read -r newest back <<<"$(awk '$1 == "s" { last = $2 } $1 == "b" { print last, $2; exit }' "$recording")"
}

# Held B for 2 s: one step back at once, then (2 - 0.4) s at ten a second.
branch_after vi_hold_key b 2
steps=$(( ${newest:-0} - ${back:-0} ))
vl_check "held B for 2 s stepped back $steps steps (from ${newest:-?} to ${back:-?}): about ten a second" \
    test "$steps" -ge 12 -a "$steps" -le 22

# Page Up: 100 steps back at once.
branch_after vi_tap_key Prior
vl_check "Page Up went 100 steps back (from ${newest:-?} to ${back:-?})" test "$(( ${newest:-0} - ${back:-0} ))" -eq 100
vl_finish
