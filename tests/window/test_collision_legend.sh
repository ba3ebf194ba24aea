#!/usr/bin/env bash
# The collision view explains itself: with V a legend in the top right
# corner shows a swatch per colour, the contacts' violet among them, and
# Shift+V picks the layers (the velocities alone: the volumes' swatches go).
# Usage: test_collision_legend.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"

vi_open_window 11 "$program" "$data"
sleep 1
vi_tap_key "$window" p
sleep 0.5
legend=250x110+380+10
violet='abs(r-0.6)<0.04&&abs(g-0.35)<0.04&&b>0.96'
green='abs(r-0.3)<0.04&&g>0.96&&abs(b-0.3)<0.04'
vl_screenshot "$window" "$VL_TMP/plain.png"
vi_tap_key "$window" v
sleep 0.5
vl_screenshot "$window" "$VL_TMP/view.png"
for key in V V V; do vi_tap_key "$window" "$key"; done
sleep 0.5
vl_screenshot "$window" "$VL_TMP/velocities.png"
plain=$(vl_region_fraction "$VL_TMP/plain.png" $legend "$violet")
contacts=$(vl_region_fraction "$VL_TMP/view.png" $legend "$violet")
walls=$(vl_region_fraction "$VL_TMP/view.png" $legend "$green")
walls_after=$(vl_region_fraction "$VL_TMP/velocities.png" $legend "$green")
vl_check "the violet swatch comes with V ($plain before)" awk -v a="$plain" -v b="$contacts" 'BEGIN { exit !(b > 3 * a) }'
vl_check "legend present with V: the contacts' and the walls' swatches ($contacts, $walls)" \
    awk -v a="$contacts" -v b="$walls" 'BEGIN { exit !(a > 0.002 && b > 0.002) }'
vl_check "Shift+V three times: the velocities alone, no walls' swatch ($walls_after)" \
    awk -v a="$walls_after" 'BEGIN { exit !(a == 0) }'
vl_quit_with_escape
vl_finish
