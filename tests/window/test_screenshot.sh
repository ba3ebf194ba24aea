#!/usr/bin/env bash
# S under a real window, paused so that the picture holds still: the PNG it
# writes into $XDG_PICTURES_DIR is the window's picture at its size, without
# the notice, which shows in the bottom-left corner for two seconds, and
# without the pause label. Two more S give two more files, the notice of the
# first not in the second. In a read-only folder S shows a longer line (the
# failure) there instead, leaves no file and the program runs on.
# Usage: test_screenshot.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"

pictures=$VL_TMP/pictures
mkdir -p "$pictures" "$VL_TMP/home"
export HOME=$VL_TMP/home XDG_PICTURES_DIR=$pictures VENNALOFT_SEED=12345

# count_pngs: files in the picture folder, and whether anything else is there.
count_pngs() { find "$pictures" -maxdepth 1 -name 'vennaloft-*.png' | wc -l; }
others() { find "$pictures" -mindepth 1 -maxdepth 1 ! -name 'vennaloft-*.png' | wc -l; }

# wait_for_pngs N: until N pictures are there, at most 10 s.
wait_for_pngs() {
    local i
    for i in $(seq 1 50); do
        [ "$(count_pngs)" -ge "$1" ] && return 0
        sleep 0.2
    done
    return 1
}

# changed_box A.png B.png: "WxH+X+Y" of where the two pictures differ.
changed_box() {
    timeout 30 "$VL_CONVERT" "$1" "$2" -compose difference -composite -colorspace gray -threshold 4% \
        -format '%@' info:
}

# box_near BOX EXPECTED: the same place and height, width within a character.
box_near() {
    local w h x y ew eh ex ey
    IFS='x+' read -r w h x y <<<"$1"
    IFS='x+' read -r ew eh ex ey <<<"$2"
    vi_holds "$x == $ex && $y == $ey && $h == $eh && $w >= $ew - 8 && $w <= $ew + 8"
}

# file_differs FILE: pixels by which FILE differs from the paused screen,
# the pause label's corner (never in a file) blacked out in both.
label_corner=110x40+530+440
file_differs() {
    vi_masked "$VL_TMP/file_unlabelled.png" "$1" "$label_corner"
    vi_differing "$VL_TMP/still_unlabelled.png" "$VL_TMP/file_unlabelled.png"
}

vl_start_xvfb || exit 1
# Root writes into a read-only folder all the same; without the capability
# that lets it, the folder's mode holds for it too.
if [ "$(id -u)" = 0 ]; then
    vl_start_program setpriv "$data" --inh-caps=-dac_override,-dac_read_search \
        --bounding-set=-dac_override,-dac_read_search -- "$program"
else
    vl_start_program "$program" "$data"
fi
vl_require_window
vi_point_into "$window"
vi_tap_key "$window" p
vi_wait_still "$window" "$VL_TMP/still" 10 || vl_fail "the paused picture does not hold still"
vi_masked "$VL_TMP/still_unlabelled.png" "$VL_TMP/still.png" "$label_corner"

vi_tap_key "$window" s
wait_for_pngs 1
vi_shot "$window" "$VL_TMP/notice.png"
saved=$(find "$pictures" -name 'vennaloft-*.png' | head -n 1)
name=$(basename "$saved")
kind=$(timeout 30 identify -format '%m %wx%h' "$saved" 2>&1)
vl_check "S: $name, read by identify as '$kind'" \
    eval '[[ "$name" =~ ^vennaloft-[0-9]{8}-[0-9]{6}\.png$ && "$kind" = "PNG 640x480" ]]'
n=$(file_differs "$saved")
vl_check "the file is the picture on screen but the pause label ($n pixels differ)" vi_holds "$n == 0"
label=$(vi_differing "$VL_TMP/still.png" "$saved")
vl_check "the pause label is not in the file ($label pixels differ there)" vi_holds "$label > 0"
box=$(changed_box "$VL_TMP/still.png" "$VL_TMP/notice.png")
vl_check "'Saved <path>' shows in the bottom-left corner, clear of the pause label (changed: $box, expected about $(vl_notice_box "Saved $saved" 61))" \
    box_near "$box" "$(vl_notice_box "Saved $saved" 61)"
n=$(vi_wait_matches "$window" "$VL_TMP/still.png" "$VL_TMP/after.png" 0 6)
vl_check "then it goes and the picture is as before ($n pixels differ)" vi_holds "$n == 0"

vi_tap_key "$window" s
vi_tap_key "$window" S
wait_for_pngs 3
vl_check "two more S: $(count_pngs) pictures, $(others) other files" \
    vi_holds "$(count_pngs) == 3 && $(others) == 0"
# The last was taken while the notice of the one before showed.
differing=0
for file in "$pictures"/vennaloft-*.png; do
    [ "$(file_differs "$file")" = 0 ] || differing=$((differing + 1))
done
vl_check "none of them holds a notice ($differing differ from the picture)" vi_holds "$differing == 0"
vi_wait_matches "$window" "$VL_TMP/still.png" "$VL_TMP/after2.png" 0 6 >/dev/null

chmod 555 "$pictures"
vi_tap_key "$window" s
failed="Could not save $pictures/vennaloft-YYYYMMDD-HHMMSS.png: Permission denied"
vi_wait_differs "$window" "$VL_TMP/still.png" "$VL_TMP/failed.png" 500 5 >/dev/null
box=$(changed_box "$VL_TMP/still.png" "$VL_TMP/failed.png")
vl_check "read-only folder: the failure line in the corner (changed: $box, expected about $(vl_notice_box "$failed" 61))" \
    box_near "$box" "$(vl_notice_box "$failed" 61)"
sleep 0.5
vl_check "and nothing written: $(count_pngs) pictures, $(others) other files" \
    vi_holds "$(count_pngs) == 3 && $(others) == 0"
vl_check "the program runs on" vl_program_running
chmod 755 "$pictures"

vl_quit_with_escape
vl_finish
