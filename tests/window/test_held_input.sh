#!/usr/bin/env bash
# Held input let go where the program cannot see the release: an arrow key
# let go with the pointer outside the window, the left button let go
# while the window is unmapped, and an arrow key let go after another
# window took the keyboard focus. Either must stop acting at once, as a
# release inside the window would: the camera stops turning, the laser
# stops sounding.
# The simulation is stopped (F2 three times), so only the camera changes
# the picture, and the laser is the only cue that can sound.
# Usage: test_held_input.sh PROGRAM DATA_DIR
#   VL_OTHER_CLIENT: the client that takes the focus (default beside the program)
set -u

program=$(realpath "$1")
data=$(realpath "$2")
other=${VL_OTHER_CLIENT:-$(dirname "$program")/tests/other_client}
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"

vl_start_xvfb || exit 1
export VENNALOFT_SEED=12345
capture="$VL_TMP/sound.raw"
vi_start_program_with_audio "$program" "$data" "$capture"

vl_require_window
shots=$VL_TMP
vi_point_into "$window"

for i in 1 2 3; do vi_tap_key "$window" F2; done
vl_check "F2 three times stops the simulation" vi_wait_still "$window" "$shots/stopped" 10

# Left held in the window turns the camera; the pointer then goes off the
# window (the screen is 1024x768, the window 640x480 at the top left) and
# the key is let go there, where the program does not hear it.
timeout 5 xdotool keydown Left
turned=$(vi_wait_differs "$window" "$shots/stopped.png" "$shots/turning.png" 300 5)
vl_check "Left held: the camera turns ($turned pixels changed)" vi_holds "$turned >= 300"
timeout 5 xdotool mousemove 900 700
sleep 0.3
timeout 5 xdotool keyup Left
vl_check "Left let go outside the window: the picture stops changing" \
    vi_wait_still "$window" "$shots/left_outside" 5 0.5

# The left button held in the window fires with the laser at every step.
timeout 5 xdotool mousemove --window "$window" 320 300
sleep 0.2
timeout 5 xdotool mousedown 1
sleep 0.3
from=$(vi_file_size "$capture")
sleep 0.7
to=$(vi_file_size "$capture")
loud=$(vi_nonzero_bytes "$capture" "$from" "$to")
vl_check "left button held: the laser sounds ($loud of $((to - from)) bytes not zero)" \
    vi_holds "$to - $from > 30000 && $loud > 0.3 * ($to - $from)"

# Unmapped, the window loses the button: its release goes elsewhere.
timeout 5 xdotool windowunmap "$window"
sleep 0.3
timeout 5 xdotool mouseup 1
sleep 0.3
timeout 5 xdotool windowmap "$window"
# The cue playing when the window went lasts a quarter of a second.
sleep 0.8
from=$(vi_file_size "$capture")
sleep 1
to=$(vi_file_size "$capture")
quiet=$(vi_nonzero_bytes "$capture" "$from" "$to")
vl_check "button let go while unmapped: silence after it ($quiet of $((to - from)) bytes not zero)" \
    vi_holds "$to - $from > 50000 && $quiet == 0"

# Right held, then another window takes the focus (the pointer stays in
# ours) and the key is let go there.
vi_point_into "$window"
vi_shot "$window" "$shots/before_focus.png"
timeout 5 xdotool keydown Right
turned=$(vi_wait_differs "$window" "$shots/before_focus.png" "$shots/turning_right.png" 300 5)
vl_check "Right held: the camera turns ($turned pixels changed)" vi_holds "$turned >= 300"
"$other" take-focus 8 &
taker=$!
sleep 1
timeout 5 xdotool keyup Right
vl_check "Right let go after the focus went: the picture stops changing" \
    vi_wait_still "$window" "$shots/focus_gone" 5 0.5
kill "$taker" 2>/dev/null
wait "$taker" 2>/dev/null

vl_check "the program still runs" vl_program_running
vl_finish
