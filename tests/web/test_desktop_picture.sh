#!/usr/bin/env bash
# What a step shows depends on the recording alone, however many frames were
# drawn: nothing is held alike by hand (the glow spheres' pulse too comes
# from the steps). The committed recording picture.vlr (seed 42, 12 balls,
# automatic fire: shots, glow spheres and explosions in view) is replayed to
# its end, where the program holds still:
# - in the desktop program under Xvfb;
# - there again with smooth motion, and again with the window resized back
#   and forth during the replay (more frames, other sizes): each ends with
#   the same picture to the pixel;
# - in the page in headless chromium with the CPU slowed six times (fewer
#   frames than steps): at most 0.1 % of the pixels may differ by more than
#   10 % in a channel, the pause label in the corner included (the page
#   draws the desktop's bitmap font).
#
# Usage: test_desktop_picture.sh PROGRAM DATA_DIR WEB_DIR
#
# Should the recording's format change, record it again under Xvfb:
# VENNALOFT_SEED=42 vennaloft -nr 12 -record picture.vlr, F5 at once, Escape
# after about 4.5 s.
set -u
program=$(realpath "$1")
data=$(realpath "$2")
web=$(realpath "$3")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../window/lib.sh"
source "$here/../window/lib_frozen.sh"

vl_start_xvfb || exit 1

# replay_end NAME [ARGS...]: replays picture.vlr with ARGS and shoots its
# held end into $VL_TMP/NAME.png; with RESIZE_DURING set, the window is
# resized back and forth while the replay runs.
replay_end() {
    local name=$1 size
    shift
    vl_start_program "$program" "$data" -replay "$here/picture.vlr" "$@"
    vl_require_window
    if [ -n "${RESIZE_DURING:-}" ]; then
        for size in "400 300" "900 700" "500 480" "640 300" "640 480"; do
            vl_resize "$window" $size
            sleep 0.4
        done
        vl_check "the window is back at 640x480" vl_wait_geometry "$window" 640x480 5
    fi
    # Both must reach the same end; should the simulation change, the file
    # diverges from its checkpoints in all alike and the pictures still compare.
    vl_check "the desktop replays picture.vlr to its end ($name)" vl_wait_error_line '^replay \(matches\|ends\)' 30
    vf_settled_shot "$window" "$VL_TMP/$name.png" || vl_fail "the desktop's picture did not settle ($name)"
    vl_quit_with_escape
}

replay_end plain
desktop_line=$(grep '^replay ' "$VL_PROGRAM_ERR" | paste -sd';' | sed 's/;/; /g')
replay_end smooth -smooth
RESIZE_DURING=1 replay_end resized
for variant in smooth resized; do
    differing=$(vf_differing "$VL_TMP/plain.png" "$VL_TMP/$variant.png")
    if [ "$differing" = 0 ]; then
        vl_pass "the $variant replay ends with the plain picture"
    else
        vl_fail "the $variant replay ends with $differing pixels unlike the plain picture"
    fi
done

if node "$here/test_desktop_picture.js" "$web" "$here/picture.vlr" "$VL_TMP/plain.png" "$desktop_line"; then
    vl_pass "the page's picture matches the desktop's"
else
    vl_fail "the page's picture differs from the desktop's"
fi
vl_finish
