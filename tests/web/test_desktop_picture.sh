#!/usr/bin/env bash
# The page draws what the desktop draws. The committed recording
# picture.vlr (seed 42, 12 balls, automatic fire: shots, glow spheres and
# explosions in view) is replayed to its end, where both programs hold
# still, in the desktop program under Xvfb and in the page in headless
# chromium. Nothing is held alike by hand: what a step shows (the glow
# spheres' pulse too) comes from the steps, however many frames each
# program drew. At most 0.1 % of the pixels may differ by more than
# 10 % in a channel, the pause label in the corner included (the page draws
# the desktop's bitmap font).
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
vl_start_program "$program" "$data" -replay "$here/picture.vlr"
vl_require_window
# Both must reach the same end; should the simulation change, the file
# diverges from its checkpoints in both alike and the pictures still compare.
vl_check "the desktop replays picture.vlr to its end" vl_wait_error_line '^replay \(matches\|ends\)' 30
desktop_line=$(grep '^replay ' "$VL_PROGRAM_ERR" | paste -sd';' | sed 's/;/; /g')
vf_settled_shot "$window" "$VL_TMP/desktop.png" || vl_fail "the desktop's picture did not settle"
vl_quit_with_escape

if node "$here/test_desktop_picture.js" "$web" "$here/picture.vlr" "$VL_TMP/desktop.png" "$desktop_line"; then
    vl_pass "the page's picture matches the desktop's"
else
    vl_fail "the page's picture differs from the desktop's"
fi
vl_finish
