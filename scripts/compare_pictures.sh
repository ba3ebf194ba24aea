#!/usr/bin/env bash
# Compares the pictures of two builds of the program to the pixel: each is
# run under the same private Xvfb with a fixed seed and the scene frozen
# before its first step (tests/window/lib_frozen.sh), and shot from a few
# camera positions: the start view, two free views from inside the room,
# and the ball chase (F3). ImageMagick's absolute error count must be 0 for
# every view.
#
# Usage: scripts/compare_pictures.sh OLD_PROGRAM OLD_DATA NEW_PROGRAM NEW_DATA [ARGS...]
#   ARGS   passed to both programs, e.g. -nr 45
# Exit status 0 when every view is identical. VL_KEEP_SHOTS=1 keeps the
# screenshots.
set -u

if [ $# -lt 4 ]; then
    sed -n '2,12p' "$0" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
programs=("$(realpath "$1")" "$(realpath "$3")")
datas=("$(realpath "$2")" "$(realpath "$4")")
shift 4

source "$root/tests/window/lib.sh"
source "$root/tests/window/lib_frozen.sh"
export VENNALOFT_SEED=${VENNALOFT_SEED:-12345}

# Free views as eye and look direction: the start view, then two from inside
# the room, one from high up looking down over the cones and domes, one low
# in a corner looking up across the room.
views=("start" "0 -50 1000" "0 0 -10"
       "above" "0 250 300" "0 -6 -8"
       "corner" "-250 -250 -250" "6 4 6")

vl_start_xvfb || exit 1

for b in 0 1; do
    vf_start_frozen "${programs[$b]}" "${datas[$b]}" "$@" || { echo "could not start ${programs[$b]}" >&2; exit 1; }
    window=$(vl_wait_window 30)
    [ -n "$window" ] || { echo "no window from ${programs[$b]}" >&2; vl_show_program_output >&2; exit 1; }
    sleep 1
    for ((v = 0; v < ${#views[@]}; v += 3)); do
        read -r ex ey ez <<<"${views[v + 1]}"
        read -r dx dy dz <<<"${views[v + 2]}"
        vf_set "sim.controls.cameraPosition.x = $ex" "sim.controls.cameraPosition.y = $ey" \
            "sim.controls.cameraPosition.z = $ez" "sim.controls.viewDirection.x = $dx" \
            "sim.controls.viewDirection.y = $dy" "sim.controls.viewDirection.z = $dz"
        sleep 1
        vf_settled_shot "$window" "$VL_TMP/${views[v]}.$b.png" || echo "warning: ${views[v]} did not settle" >&2
    done
    # The chase camera glides in over nine frames, then stands still.
    vl_send_key "$window" F3
    sleep 1.5
    vf_settled_shot "$window" "$VL_TMP/chase.$b.png" || echo "warning: chase did not settle" >&2
    vf_stop
done

status=0
echo "old: ${programs[0]}"
echo "new: ${programs[1]}${*:+ (arguments: $*)}"
for name in start above corner chase; do
    differing=$(vf_differing "$VL_TMP/$name.0.png" "$VL_TMP/$name.1.png")
    echo "$name: $differing pixels differ"
    [ "$differing" = 0 ] || status=1
done
exit $status
