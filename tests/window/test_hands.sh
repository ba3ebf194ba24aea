#!/usr/bin/env bash
# Hands on the balls under a real window. F3 chases ball 0, so it sits at
# the picture's centre: a click there while paused selects it (the panel
# appears in the top right with its slot and position, four lines), and a
# click on the room clears it. Back at the free camera, the selection ring
# (white, over everything) shows where the ball is; in inspect mode (I) the
# left button held on it and moved 60 pixels right drags it there over a
# few single steps: the ring's centre follows the pointer. Held again, B
# pressed once, the button let go and P pressed, the simulation holds
# nothing: the release reaches it whatever step back did to the hold.
# Usage: test_hands.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"

# ring_centre NOW.png BEFORE.png: "x y n", the centre of the pixels that
# are white in NOW and were not in BEFORE (the ring), and how many; the
# panel's rows at the top are left out.
ring_centre() {
    local w
    w=$(timeout 30 "$VI_CONVERT" "$1" -format %w info:)
    paste -d' ' <(timeout 30 "$VI_CONVERT" "$1" -depth 8 rgb:- | od -An -v -tu1 -w3) \
        <(timeout 30 "$VI_CONVERT" "$2" -depth 8 rgb:- | od -An -v -tu1 -w3) |
        awk -v w="$w" '{ i = NR - 1
                         if (i >= 100 * w && $1 > 245 && $2 > 245 && $3 > 245 && !($4 > 245 && $5 > 245 && $6 > 245)) {
                             sx += i % w; sy += int(i / w); n++ } }
                       END { if (n) printf "%d %d %d\n", sx / n, sy / n, n; else print "0 0 0" }'
}

# Light text in the panel's place at the top right.
panel_text() { vi_fraction "$1" 300x80+330+10 'r > 0.8 && g > 0.8 && b > 0.6'; }

vi_open_window 12345 "$program" "$data" -nr 3
shots=$VL_TMP
sleep 1

vi_tap_key "$window" F3
sleep 1
vi_tap_key "$window" p
sleep 0.5
vi_shot "$window" "$shots/chase.png"
before=$(panel_text "$shots/chase.png")
vl_click "$window" 320 240 1
n=$(vi_wait_differs "$window" "$shots/chase.png" "$shots/selected.png" 500 5)
after=$(panel_text "$shots/selected.png")
rows=$(vi_fraction "$shots/selected.png" 300x12+330+70 'r > 0.8 && g > 0.8 && b > 0.6')
vl_check "a click on the chased ball while paused selects it: the panel shows ($n pixels, text $before -> $after, fourth line $rows)" \
    vi_holds "$n >= 500 && $after > $before + 0.01 && $rows > 0.01"

vl_click "$window" 3 3 1
n=$(vi_wait_matches "$window" "$shots/chase.png" "$shots/cleared.png" 0 5)
vl_check "a click on the room clears the selection: the picture is back ($n pixels differ)" vi_holds "$n == 0"

# The free camera; select again through the chase, then find the ring.
vl_click "$window" 320 240 1
sleep 0.5
vi_tap_key "$window" F4
sleep 1
vi_shot "$window" "$shots/ring.png"
vl_click "$window" 3 3 1
sleep 0.5
vi_shot "$window" "$shots/noring.png"
read -r x y count <<<"$(ring_centre "$shots/ring.png" "$shots/noring.png")"
vl_check "the selected ball has a ring in the free camera's picture ($count pixels round $x,$y)" \
    vi_holds "$count >= 40"

vl_click "$window" "$x" "$y" 1
sleep 0.5
vi_tap_key "$window" i
sleep 0.3
timeout 5 xdotool mousemove --window "$window" "$x" "$y"
timeout 5 xdotool mousedown 1
sleep 0.3
for step in 10 20 30 40 50 60; do
    timeout 5 xdotool mousemove --window "$window" $((x + step)) "$y"
    sleep 0.1
done
for i in $(seq 1 12); do
    timeout 5 xdotool key o
    sleep 0.15
done
timeout 5 xdotool mouseup 1
sleep 0.5
vi_shot "$window" "$shots/dragged.png"
vl_click "$window" 3 3 1
sleep 0.5
vi_shot "$window" "$shots/dragged_noring.png"
read -r x2 y2 count2 <<<"$(ring_centre "$shots/dragged.png" "$shots/dragged_noring.png")"
vl_check "I and a held button drag the ball with the pointer: the ring moved from $x,$y to $x2,$y2 ($count2 pixels)" \
    vi_holds "$count2 >= 40 && $x2 - $x > 40 && ($y2 - $y) * ($y2 - $y) < 20 * 20"

# The simulation's hold, read from the running program.
drag_ball() {
    timeout 60 gdb -q -nx -batch -p "$VL_PROGRAM_PID" -ex 'print sim.drag.ball' -ex detach 2>/dev/null |
        sed -n 's/^\$1 = //p'
}
# Two steps without a hold first, so the step B goes back to held nothing.
for i in 1 2; do
    timeout 5 xdotool key o
    sleep 0.2
done
timeout 5 xdotool mousemove --window "$window" "$x2" "$y2"
timeout 5 xdotool mousedown 1
sleep 0.3
held=$(drag_ball)
timeout 5 xdotool key b
sleep 0.3
timeout 5 xdotool mouseup 1
sleep 0.3
timeout 5 xdotool key p
sleep 1
after=$(drag_ball)
vl_check "a release after B ends the hold the simulation has: held ball $held, after P ${after:-?}" \
    vi_holds "${held:--1} >= 0 && ${after:-0} == -1"

vl_quit_with_escape
vl_finish
