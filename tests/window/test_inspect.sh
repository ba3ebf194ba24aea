#!/usr/bin/env bash
# Inspect mode under a real window: P stills the picture and P again
# resumes; O changes it once, then it stays; five O and five B give the
# same picture back; H shows the help panel and H
# again gives back the very same picture; V the same with the collision
# lines. "--help" and "-h" print the text and exit 0 with no display.
# Automatic fire keeps shots in flight, so that a single step moves
# something by many pixels (a shot covers 18 units a step).
# Usage: test_inspect.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"

# No display at all: the text, status 0, and no complaint from the toolkit.
for word in --help -h; do
    out=$( (cd "$data" && env -u DISPLAY timeout 10 "$program" -nr 3 "$word") 2>"$VL_TMP/help.err")
    status=$?
    if [ "$status" = 0 ] && grep -q '^Usage: vennaloft' <<<"$out" && grep -q -- '-seed N' <<<"$out" &&
        grep -q 'P / O' <<<"$out" && [ ! -s "$VL_TMP/help.err" ]; then
        vl_pass "$word without a display: status 0, $(wc -l <<<"$out") lines of help"
    else
        vl_fail "$word without a display: status $status"
        echo "$out"
        cat "$VL_TMP/help.err"
    fi
done

vi_open_window 12345 "$program" "$data"
shots=$VL_TMP

vi_tap_key "$window" F5
sleep 1.5

# P: the flashes, the glow pulse and the shots all hold.
vi_tap_key "$window" p
sleep 0.5
vi_shot "$window" "$shots/paused1.png"
sleep 1
vi_shot "$window" "$shots/paused2.png"
n=$(vi_differing "$shots/paused1.png" "$shots/paused2.png")
vl_check "P: two screenshots 1 s apart are identical ($n pixels differ)" vi_holds "$n == 0"

# O: one step, then still again.
vi_tap_key "$window" o
n=$(vi_wait_differs "$window" "$shots/paused2.png" "$shots/step1.png" 200 5)
vl_check "O: the picture changes ($n pixels)" vi_holds "$n >= 200"
sleep 1
vi_shot "$window" "$shots/step2.png"
n=$(vi_differing "$shots/step1.png" "$shots/step2.png")
vl_check "O: then it stays still (a second later $n pixels differ)" vi_holds "$n == 0"

# Five more steps, then five back: the picture as it was to the pixel, the
# glow spheres included (the steps taken again have no frames of their own).
for i in 1 2 3 4 5; do
    vi_tap_key "$window" o
    sleep 0.3
done
for i in 1 2 3 4 5; do
    vi_tap_key "$window" b
    sleep 0.3
done
n=$(vi_wait_matches "$window" "$shots/step2.png" "$shots/back.png" 0 5)
vl_check "5 O, then 5 B: the picture is back pixel for pixel ($n differ)" vi_holds "$n == 0"

# H: a dark panel with light text at the top left; H again: as before.
vi_tap_key "$window" h
n=$(vi_wait_differs "$window" "$shots/step2.png" "$shots/help.png" 20000 5)
text=$(vi_fraction "$shots/help.png" 360x270+18+10 'r > 0.8 && g > 0.8 && b > 0.6')
vl_check "H: the panel shows ($n pixels changed, text covers $text of it)" \
    vi_holds "$n >= 20000 && $text > 0.03"
vi_tap_key "$window" h
n=$(vi_wait_matches "$window" "$shots/step2.png" "$shots/help_off.png" 0 5)
vl_check "H again: the picture is back pixel for pixel ($n differ)" vi_holds "$n == 0"

# V: the collision lines; V again: as before.
vi_tap_key "$window" v
n=$(vi_wait_differs "$window" "$shots/step2.png" "$shots/view.png" 2000 5)
green=$(vl_pixels_changed_where "$shots/step2.png" "$shots/view.png" 'g > 0.6 && g > r + 0.2 && g > b + 0.2' |
    awk '{print $2}')
vl_check "V: lines drawn ($n pixels changed, $green newly green from the room box)" \
    vi_holds "$n >= 2000 && $green >= 200"
vi_tap_key "$window" v
n=$(vi_wait_matches "$window" "$shots/step2.png" "$shots/view_off.png" 0 5)
vl_check "V again: the picture is back pixel for pixel ($n differ)" vi_holds "$n == 0"

# P again: motion resumes.
vi_tap_key "$window" p
n=$(vi_wait_differs "$window" "$shots/step2.png" "$shots/resumed.png" 300 5)
vl_check "P again: the picture moves ($n pixels changed)" vi_holds "$n >= 300"

vl_quit_with_escape
vl_finish
