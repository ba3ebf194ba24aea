#!/usr/bin/env bash
# The window's panels at 640x480: help (H), the ball panel (I) and the
# legend (V) open at once each get room of their own: no two of their
# rectangles (as the program reports them) share a pixel, none leaves the
# window or reaches the bottom strip where the notice and the pause label
# are, and each is large enough to read a few lines.
# Usage: test_panels.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"

export VENNALOFT_PANEL_REPORT=1
vi_open_window 11 "$program" "$data"
sleep 1
for key in p h i v; do vi_tap_key "$window" "$key"; done
if ! vl_wait_error_line 'panels:.*Help.*Ball.*Legend' 10; then
    vl_fail "no report of the three panels open together"
    vl_show_program_output
    vl_finish
fi
sleep 1
report=$(grep 'panels:.*Help.*Ball.*Legend' "$VL_PROGRAM_ERR" | tail -n 1)
echo "$report"
# One "name x y w h" per panel, then every pair.
rects=$(sed 's/.*panels://' <<<"$report" | tr ';' '\n' | awk 'NF == 5')
vl_check "three panels reported" test "$(wc -l <<<"$rects")" -eq 3
overlaps=$(awk '{ n[NR] = $1; x[NR] = $2; y[NR] = $3; w[NR] = $4; h[NR] = $5 }
    END { for (a = 1; a <= NR; a++) for (b = a + 1; b <= NR; b++)
        if (x[a] < x[b] + w[b] && x[b] < x[a] + w[a] && y[a] < y[b] + h[b] && y[b] < y[a] + h[a])
            printf "%s/%s ", n[a], n[b] }' <<<"$rects")
vl_check "no two panels overlap (${overlaps:-none})" test -z "$overlaps"
outside=$(awk '$2 < 0 || $3 < 0 || $2 + $4 > 640 || $3 + $5 > 480 - 30 || $4 < 150 || $5 < 60 { printf "%s ", $1 }' <<<"$rects")
vl_check "each inside the window, clear of the bottom strip, large enough to read (${outside:-all})" test -z "$outside"
vl_quit_with_escape
vl_finish
