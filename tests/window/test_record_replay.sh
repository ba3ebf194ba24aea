#!/usr/bin/env bash
# A session recorded in the window replays exactly: keys, the pointer and
# both buttons (firing, following a shot, throwing), a pause with single
# steps and steps back, then Escape. vl_replay must find every checkpoint
# matching, and so must -replay in the window, which says so at the end.
# Usage: test_record_replay.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
replayer="$(dirname "$program")/vl_replay"
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"

recording="$VL_TMP/session.vlr"
vi_open_window 2024 "$program" "$data" -nr 12 -record "$recording"

vi_tap_key "$window" F5
vi_hold_key "$window" Up 0.6
vi_hold_button "$window" 200 150 1 0.8
timeout 5 xdotool mousemove --window "$window" 420 300
vi_tap_key "$window" F5
timeout 5 xdotool click 3
sleep 1
vi_tap_key "$window" F4
vi_tap_key "$window" F6
vi_hold_button "$window" 330 260 1 1.2
vi_tap_key "$window" F6
vi_tap_key "$window" p
vi_hold_key "$window" Left 0.4
for key in o o b b b o; do vi_tap_key "$window" "$key"; done
vi_tap_key "$window" F1
vi_tap_key "$window" p
sleep 1.5
vl_quit_with_escape

out=$(timeout 60 "$replayer" "$recording")
status=$?
steps=$(sed -n 's/^replay matches: \([0-9]*\) steps, final state [0-9a-f]\{16\}$/\1/p' <<<"$out")
if [ "$status" -eq 0 ] && [ -n "$steps" ] && [ "$steps" -ge 60 ]; then
    vl_pass "vl_replay: $out"
else
    vl_fail "vl_replay says '$out' (status $status)"
fi
vl_check "the recording has its branch after the steps back" grep -q '^b ' "$recording"
vl_check "no part file is left" test ! -e "$recording.part"

# The same file in the window: it plays to the end and says it matched.
vl_start_program "$program" "$data" -replay "$recording"
vl_require_window
vl_wait_error_line '^replay matches' 30
vl_check "-replay in the window matches to the end" grep -qx "$out" "$VL_PROGRAM_ERR"
# The verdict line sits in the bottom-left corner (white text) until the
# next key press; F7 changes nothing in the paused picture.
sleep 0.5
vl_screenshot "$window" "$VL_TMP/verdict.png"
vl_send_key "$window" F7
sleep 0.5
vl_screenshot "$window" "$VL_TMP/no_verdict.png"
# Counted as white pixels that are gone after the key: the replayed scene
# behind the corner may still move and bring white pixels of its own.
for shot in verdict no_verdict; do
    timeout 30 "$VL_CONVERT" "$VL_TMP/$shot.png" -crop 180x16+18+447 +repage "$VL_TMP/${shot}_corner.png"
done
read -r gone came stayed < <(vl_pixels_changed_where "$VL_TMP/verdict_corner.png" "$VL_TMP/no_verdict_corner.png" \
    'r > 0.85 && g > 0.85 && b > 0.85')
vl_check "the verdict line shows in the corner after -replay, and goes with a key ($gone white pixels gone, $stayed stayed, $came came)" \
    vi_holds "$gone > 144 && $stayed < $gone / 4"
vl_quit_with_escape
vl_finish
