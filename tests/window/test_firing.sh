#!/usr/bin/env bash
# The left button as a user holds it: it fires shots, drawn as red-to-yellow
# streaks, with the laser sound; F7 silences the sound; after F6 it throws a
# ball from the camera instead.
# The sound goes through SDL's disk driver into a raw file of signed 16-bit
# samples, written at the pace of a sound card, so the bytes written while
# the button is held are what would have been heard then.
# Aims go at the strips of sky beside the room: only something that leaves
# the camera can cover them, so any change there is the shot or the ball.
# Usage: test_firing.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"

# Shot streaks add red and yellow; the sky is bluer than red everywhere.
WARM='r > 0.5 && r > b + 0.25'
LEFT_STRIP=60x300+0+90
RIGHT_STRIP=60x300+575+90
STRIP_PIXELS=18000

vl_start_xvfb || exit 1
export VENNALOFT_SEED=12345
capture="$VL_TMP/sound.raw"
vi_start_program_with_audio "$program" "$data" "$capture"

vl_require_window
shots=$VL_TMP
vi_point_into "$window"


# With the simulation stopped nothing collides, so no cue but the laser
# can sound.
for i in 1 2 3; do vi_tap_key "$window" F2; done
vl_check "F2 three times stops the simulation" vi_wait_still "$window" "$shots/stopped" 10

from=$(vi_file_size "$capture")
sleep 1
to=$(vi_file_size "$capture")
quiet=$(vi_nonzero_bytes "$capture" "$from" "$to")
vl_check "stopped and not firing: silence ($quiet of $((to - from)) bytes not zero)" \
    vi_holds "$to - $from > 50000 && $quiet == 0"

# Holding the button plays the laser at every step. Aimed into the room,
# so these shots, which start moving only later, stay out of the strips.
from=$(vi_file_size "$capture")
vi_hold_button "$window" 320 300 1 1.0
sleep 0.1
to=$(vi_file_size "$capture")
loud=$(vi_nonzero_bytes "$capture" "$from" "$to")
vl_check "left button held: the laser sounds ($loud of $((to - from)) bytes not zero)" \
    vi_holds "$to - $from > 50000 && $loud > 0.3 * ($to - $from)"

# F7: sound off. The cue that was playing lasts a quarter of a second.
vi_tap_key "$window" F7
for i in 1 2 3; do vi_tap_key "$window" F1; done
sleep 1
vi_shot "$window" "$shots/before_fire.png"
warm_before=$(vi_fraction "$shots/before_fire.png" $LEFT_STRIP "$WARM")

from=$(vi_file_size "$capture")
timeout 5 xdotool mousemove --window "$window" 30 200
timeout 5 xdotool mousedown 1
# The shot flies 18 units a step along the aim: its streak, 40 units long
# and 5 units down at the tail, shows below the pointer for about a second
# after it leaves, so look while the button is still held.
sleep 0.6
warm_most=0
for i in 1 2 3 4; do
    vi_shot "$window" "$shots/firing$i.png"
    w=$(vi_fraction "$shots/firing$i.png" $LEFT_STRIP "$WARM")
    vi_holds "$w > $warm_most" && { warm_most=$w; cp "$shots/firing$i.png" "$shots/firing.png"; }
done
timeout 5 xdotool mouseup 1
sleep 0.1
to=$(vi_file_size "$capture")
vl_check "before firing no streak colour in the sky strip ($warm_before)" vi_holds "$warm_before == 0"
# A streak is 2 pixels wide: 20 of the strip's pixels are a short one.
vl_check "left button held: streaks cross the sky strip ($warm_most of it warm)" \
    vi_holds "$warm_most * $STRIP_PIXELS >= 20"
if [ -f "$shots/firing.png" ]; then
    cp "$shots/firing.png" "${VL_SCREENSHOT_OUT:-/dev/null}" 2>/dev/null
    # Over the sky the red head keeps some blue; the yellow further back
    # adds green as well, and overlapping streaks add up.
    red=$(vi_fraction "$shots/firing.png" $LEFT_STRIP "$WARM && g < 0.8 * r")
    yellow=$(vi_fraction "$shots/firing.png" $LEFT_STRIP "$WARM && g >= 0.9 * r")
    vl_check "streak colours run from red ($red) to yellow ($yellow)" vi_holds "$red > 0 && $yellow > 0"
fi
silent=$(vi_nonzero_bytes "$capture" "$from" "$to")
vl_check "after F7 firing is silent ($silent of $((to - from)) bytes not zero)" \
    vi_holds "$to - $from > 50000 && $silent == 0"

# F6: the button throws a ball instead, at most one a second after any shot.
vi_tap_key "$window" F6
sleep 1.2
vi_shot "$window" "$shots/before_ball.png"
timeout 30 "$VI_CONVERT" "$shots/before_ball.png" -crop $RIGHT_STRIP +repage "$shots/strip_before.png"
vi_hold_button "$window" 610 240 1 0.3
# Poll the strip: the ball flies off along the aim and shrinks with distance.
in_strip=0
for i in $(seq 1 8); do
    vi_shot "$window" "$shots/ball.png"
    timeout 30 "$VI_CONVERT" "$shots/ball.png" -crop $RIGHT_STRIP +repage "$shots/strip_ball.png"
    in_strip=$(vi_differing "$shots/strip_before.png" "$shots/strip_ball.png" 15%)
    vi_holds "$in_strip > 0.3 * $STRIP_PIXELS" && break
    sleep 0.2
done
vl_check "F6 and left button: a ball leaves the camera and covers the sky strip ($in_strip of $STRIP_PIXELS pixels)" \
    vi_holds "$in_strip > 0.3 * $STRIP_PIXELS"

vl_quit_with_escape

vl_finish
