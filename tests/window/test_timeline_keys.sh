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

# One recorded run, paused after the warm-up; each timeline key is followed
# by F7, new input that starts a branch where the scene then stands. The
# second branch starts from the first, so Page Up also goes back from the
# newest step of its branch.
vi_open_window 7 "$program" "$data" -record "$recording"
sleep 9
vi_tap_key "$window" p
sleep 0.5
vi_hold_key "$window" b 2
sleep 0.3
vi_tap_key "$window" F7
vi_tap_key "$window" Prior
sleep 0.3
vi_tap_key "$window" F7
vl_quit_with_escape

# Per branch: the step the scene stood at before it (the last step run, or
# the previous branch's step), and the step it went back to.
branches=$(awk '$1 == "s" { last = $2 } $1 == "b" { print last, $2; last = $2 }' "$recording")

# Held B for 2 s: one step back at once, then (2 - 0.4) s at ten a second.
read -r newest back <<<"$(sed -n 1p <<<"$branches")"
steps=$(( ${newest:-0} - ${back:-0} ))
vl_check "held B for 2 s stepped back $steps steps (from ${newest:-?} to ${back:-?}): about ten a second" \
    test "$steps" -ge 12 -a "$steps" -le 22

# Page Up: 100 steps back at once.
read -r newest back <<<"$(sed -n 2p <<<"$branches")"
vl_check "Page Up went 100 steps back (from ${newest:-?} to ${back:-?})" test "$(( ${newest:-0} - ${back:-0} ))" -eq 100
vl_finish
