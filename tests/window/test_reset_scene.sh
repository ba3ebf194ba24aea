#!/usr/bin/env bash
# F8 puts the scene back: shots, flashes and thrown balls gone, the balls
# on start slots. How it is judged: the start slots come from the random
# generator, which with a fixed seed gives the same slots to the same
# reset in every run, and nothing the user does by mouse draws from it.
# So a first run stops the simulation and resets at once; a second run with
# the same seed first plays (shots in flight, a thrown ball, balls moved),
# stops, and resets. With the simulation stopped both pictures must then be
# identical, apart from the glow spheres at the cone tips, whose pulse
# stopped at a different phase in each run and is masked out.
# The first run is ended with a TERM signal: the program must not ignore it.
# Usage: test_reset_scene.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"

# Around the three cone tips, as seen from the start camera, with room for
# the largest glow sphere.
GLOW_MASKS=(76x76+216+202 102x102+269+289 82x82+330+235)

vl_start_xvfb || exit 1
export VENNALOFT_SEED=12345
shots=$VL_TMP


# start_run NAME: starts the program and sets window, or ends the test.
start_run() {
    vl_start_program "$program" "$data"
    window=$(vl_wait_window 30)
    if [ -z "$window" ]; then
        vl_fail "$1: no window titled '$VL_TITLE' within 30 s"
        vl_show_program_output
        vl_finish
    fi
    vi_point_into "$window"
}

# stop_motion PREFIX: F2 three times, then the still picture in PREFIX.png.
stop_motion() {
    for i in 1 2 3; do vi_tap_key "$window" F2; done
    vi_wait_still "$window" "$1" 10
}

# --- First run: reset straight away.
start_run "first run"
vl_check "first run: stopped" stop_motion "$shots/a_stopped"
vi_tap_key "$window" F8
vl_check "first run: still after F8" vi_wait_still "$window" "$shots/a_reset" 10
vi_masked "$shots/a_reset_masked.png" "$shots/a_reset.png" "${GLOW_MASKS[@]}"

kill -TERM "$VL_PROGRAM_PID"
vl_wait_exit 5
vl_check "a TERM signal ends the program (status $VL_EXIT_STATUS)" vi_holds "\"$VL_EXIT_STATUS\" == \"143\""
if [ "$VL_EXIT_STATUS" = running ]; then
    kill -KILL "$VL_PROGRAM_PID"
    wait "$VL_PROGRAM_PID" 2>/dev/null
fi

# --- Second run: play first.
start_run "second run"
sleep 1
# Shots into the room: they bounce, push balls and leave flashes.
vi_hold_button "$window" 320 300 1 1.5
# A thrown ball (a sixth one), at most one a second after a shot.
vi_tap_key "$window" F6
sleep 1.1
vi_hold_button "$window" 320 200 1 0.2
vi_tap_key "$window" F6
sleep 0.5
vl_check "second run: stopped" stop_motion "$shots/b_stopped"
vi_masked "$shots/b_stopped_masked.png" "$shots/b_stopped.png" "${GLOW_MASKS[@]}"
played=$(vi_differing "$shots/a_reset_masked.png" "$shots/b_stopped_masked.png")
vl_check "before F8 the played scene differs from the reset one ($played pixels)" vi_holds "$played > 2000"

vi_tap_key "$window" F8
start=$SECONDS
same=-1
while :; do
    vi_shot "$window" "$shots/b_reset.png"
    vi_masked "$shots/b_reset_masked.png" "$shots/b_reset.png" "${GLOW_MASKS[@]}"
    same=$(vi_differing "$shots/a_reset_masked.png" "$shots/b_reset_masked.png")
    [ "$same" = 0 ] && break
    [ $((SECONDS - start)) -ge 5 ] && break
    sleep 0.3
done
vl_check "F8: shots, flashes and the thrown ball gone, balls on the same start slots ($same pixels differ)" \
    vi_holds "$same == 0"
cp "$shots/b_reset.png" "${VL_SCREENSHOT_OUT:-/dev/null}" 2>/dev/null

vl_quit_with_escape

vl_finish
