#!/usr/bin/env bash
# Every press and release that reaches the window acts, however close
# together: F1 pressed 30 times, each press and gap 12 ms, gives 30 key
# records; a burst of 60 O presses while paused leaves nothing held (its
# steps run, then none), and a held O still repeats and stops when let go.
# Usage: test_quick_keys.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"

rec=$VL_TMP/quick.vlr
vi_open_window 777 "$program" "$data" -nr 12 -record "$rec"
shots=$VL_TMP

# taps KEY COUNT SECONDS: presses held and gaps of that length, in one xdotool run.
taps() {
    local chain=() i
    for i in $(seq 1 "$2"); do chain+=(keydown "$1" sleep "$3" keyup "$1" sleep "$3"); done
    timeout 30 xdotool "${chain[@]}"
}
taps F1 30 0.012
vi_tap_key "$window" p
vl_check "paused: the picture settles" vi_wait_still "$window" "$shots/paused" 10 0.5
taps o 60 0.008
sleep 1
# Each press asks for a step: they run at the step rate, then stop.
vl_check "after a burst of O: its steps run, then none" vi_wait_still "$window" "$shots/after_burst" 12 0.7
vi_shot "$window" "$shots/before_hold.png"
vi_hold_key "$window" o 1.5
sleep 0.3
vl_check "O held then let go: it stepped, and stops" vi_wait_still "$window" "$shots/after_hold" 3 0.7
stepped=$(vi_differing "$shots/before_hold.png" "$shots/after_hold.png")
vl_check "O held stepped the scene ($stepped pixels changed)" vi_holds "$stepped > 0"
vl_quit_with_escape

presses=$(grep -c '^k [0-9]* 1 ' "$rec")
vl_check "30 quick F1 presses, 30 key records (got $presses)" test "$presses" = 30
vl_finish
