#!/usr/bin/env bash
# The window's panels at 640x480: help (H), the ball panel (I) and the
# legend (V) open at once each get room of their own: no two of their
# rectangles (as the program reports them) share a pixel, none leaves the
# window or reaches the bottom strip where the notice and the pause label
# are, and each is large enough to read a few lines. A click on a panel is
# the panel's: running, it fires nothing (a click beside the panels does),
# and a click on help's triangle folds it. While paused, a drag moves the
# ball at once, with no step taken.
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

# The time of the last shot, read from the running program.
last_shot() {
    timeout 60 gdb -q -nx -batch -p "$VL_PROGRAM_PID" -ex 'print sim.lastShotTime' -ex detach 2>/dev/null |
        sed -n 's/^\$1 = //p'
}
read -r hx hy hw hh <<<"$(awk '$1 == "Help" { print $2, $3, $4, $5 }' <<<"$rects")"
# Inspect off (a click would select), running again.
vi_tap_key "$window" i
vi_tap_key "$window" p
sleep 0.5
# Held half a second: the demo fires while the button is down.
vi_hold_button "$window" $((hx + hw / 2)) $((hy + hh / 2)) 1 0.5
sleep 0.3
on_panel=$(last_shot)
vi_hold_button "$window" 480 300 1 0.5
sleep 0.3
beside=$(last_shot)
vl_check "a press on help fires nothing (last shot at $on_panel ms), one beside the panels does ($beside ms)" \
    vi_holds "${on_panel:-1} == 0 && ${beside:-0} > 0"
vl_click "$window" $((hx + 10)) $((hy + 8)) 1
sleep 1
folded=$(grep 'panels:' "$VL_PROGRAM_ERR" | tail -n 1 | sed 's/.*panels://' | tr ';' '\n' | awk '$1 == "Help" { print $5 }')
vl_check "a click on help's triangle folds it (height $hh, then $folded)" vi_holds "${folded:-$hh} < 30"

# The chase camera puts ball 0 in the middle; paused, in inspect mode, a
# drag from there 60 pixels to the right.
ball_x() {
    timeout 60 gdb -q -nx -batch -p "$VL_PROGRAM_PID" -ex 'print sim.ballPositions[0].x' \
        -ex 'print sim.stepsRun' -ex detach 2>/dev/null | sed -n 's/^\$[0-9]* = //p' | tr '\n' ' '
}
vi_tap_key "$window" F3
sleep 1
vi_tap_key "$window" p
vi_tap_key "$window" i
sleep 0.5
read -r x0 steps0 <<<"$(ball_x)"
timeout 5 xdotool mousemove --window "$window" 320 240
timeout 5 xdotool mousedown 1
sleep 0.3
for dx in 15 30 45 60; do
    timeout 5 xdotool mousemove --window "$window" $((320 + dx)) 240
    sleep 0.1
done
timeout 5 xdotool mouseup 1
sleep 0.5
read -r x1 steps1 <<<"$(ball_x)"
vl_check "paused, a drag moves the ball at once (x $x0 -> $x1, steps run $steps0 -> $steps1)" \
    awk -v a="${x0:-0}" -v b="${x1:-0}" -v s0="${steps0:-0}" -v s1="${steps1:-1}" \
        'BEGIN { d = b - a; if (d < 0) d = -d; exit !(d > 5 && s0 == s1) }'
vl_quit_with_escape
vl_finish
