#!/usr/bin/env bash
# Following a shot ends by itself: after a right click the camera chases the
# new shot in slow motion, and once the shot has had its sixth collision
# the free camera is back without any key. Arrows pressed and let go while
# the shot is followed move nothing.
# Judged by how much of the picture differs from the free view taken just
# before the click: between two free-camera frames only the balls, the
# glow and the flashes differ; a chase view differs almost everywhere.
# Usage: test_follow_shot_ends.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"

SKY='b > r + 0.04'
LEFT_STRIP=60x480+0+0
RIGHT_STRIP=60x480+580+0
PIXELS=307200

vi_open_window 12345 "$program" "$data"
shots=$VL_TMP


# Full speed (F1 five times from 0.3): the followed shot then runs at 0.8/6
# time units a step, 8 world units, and lives some seconds, not a minute.
for i in 1 2 3 4 5; do vi_tap_key "$window" F1; done
sleep 1
vi_shot "$window" "$shots/free.png"
sky_left=$(vi_fraction "$shots/free.png" $LEFT_STRIP "$SKY")
sky_right=$(vi_fraction "$shots/free.png" $RIGHT_STRIP "$SKY")

# Aimed at the middle pillar, about 940 units away.
vi_hold_button "$window" 320 240 3 0.1
start=$SECONDS
chase=$(vi_wait_differs "$window" "$shots/free.png" "$shots/chase.png" $((PIXELS * 3 / 10)) 15 15%)
vl_check "right click: the camera follows the shot ($chase of $PIXELS pixels differ)" \
    vi_holds "$chase >= $PIXELS * 3 / 10"
cp "$shots/chase.png" "${VL_SCREENSHOT_OUT:-/dev/null}" 2>/dev/null

# While the shot is followed the arrows are ignored.
vi_hold_key "$window" Up 0.3
vi_hold_key "$window" Left 0.3

# The way back: two free-looking frames in a row, so that one chase frame
# that happens to look like the free view cannot pass.
returned=0
close=$PIXELS
while [ $((SECONDS - start)) -lt 50 ]; do
    close=$(vi_wait_matches "$window" "$shots/free.png" "$shots/back.png" $((PIXELS / 10)) 2 15%) || continue
    sleep 0.3
    vi_shot "$window" "$shots/back2.png"
    close=$(vi_differing "$shots/free.png" "$shots/back2.png" 15%)
    if [ "$close" -le $((PIXELS / 10)) ]; then
        returned=1
        break
    fi
done
vl_check "the shot dies and the free camera is back by itself after $((SECONDS - start)) s ($close pixels differ)" \
    vi_holds "$returned == 1"

# Had the arrows acted, the room would have grown and turned.
back_left=$(vi_fraction "$shots/back2.png" $LEFT_STRIP "$SKY")
back_right=$(vi_fraction "$shots/back2.png" $RIGHT_STRIP "$SKY")
vl_check "arrows while following moved nothing (side sky $sky_left/$sky_right, now $back_left/$back_right)" \
    vi_holds "($back_left - $sky_left) ^ 2 < 0.0004 && ($back_right - $sky_right) ^ 2 < 0.0004"

vl_quit_with_escape

vl_finish
