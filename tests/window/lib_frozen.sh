# Helpers for pictures that must come out the same in every run: the program
# is started under gdb, which sets the time step to 0 before the first step
# (so the balls stay on their seeded start slots and the glow spheres do not
# pulse) and lets go. Scene fields can later be set the same way, e.g. a
# camera position, without depending on how many steps a held key lasts.
# Source it after lib.sh; needs gdb and a program built with symbols.

# vf_start_frozen PROGRAM DATA_DIR [ARGS...]: like vl_start_program, with
# the scene standing still from its first step. VL_PROGRAM_PID is the
# program's, though gdb started it (so the shell cannot wait for it).
vf_start_frozen() {
    local program=$1 data=$2 pid_file="$VL_TMP/frozen.pid"
    shift 2
    rm -f "$pid_file"
    (cd "$data" && SDL_AUDIODRIVER="${VL_AUDIODRIVER:-dummy}" exec gdb -q -nx -batch \
        -ex 'set startup-with-shell off' \
        -ex 'break setUpGraphics' -ex run \
        -ex 'set var sim.controls.timeStep = 0' -ex 'set var sim.controls.activeTimeStep = 0' \
        -ex 'set var scene.timeStep = 0' -ex 'set var scene.activeTimeStep = 0' \
        -ex "python open('$pid_file', 'w').write('%d\n' % gdb.selected_inferior().pid)" \
        -ex detach --args "$program" "$@") >"$VL_PROGRAM_LOG" 2>"$VL_PROGRAM_ERR" </dev/null &
    local i
    for i in $(seq 1 300); do
        [ -s "$pid_file" ] && break
        sleep 0.1
    done
    VL_PROGRAM_PID=$(cat "$pid_file" 2>/dev/null)
    [ -n "$VL_PROGRAM_PID" ]
}

# vf_set ASSIGNMENT...: sets simulation fields in the running program, e.g.
# 'sim.controls.cameraPosition.x = 150'. Each is also tried under its name
# in builds from before the simulation was one value (scene.X), so that
# scripts/compare_pictures.sh can set both programs alike; gdb goes on past
# the name a program does not know.
vf_set() {
    local args=() a old
    for a in "$@"; do
        args+=(-ex "set var $a")
        case $a in
        sim.*)
            old=${a#sim.}
            old=${old#controls.}
            args+=(-ex "set var scene.${old#view.}")
            ;;
        esac
    done
    timeout 60 gdb -q -nx -batch -p "$VL_PROGRAM_PID" "${args[@]}" -ex detach >>"$VL_TMP/gdb.log" 2>&1
}

# vf_settled_shot WINDOW FILE: a screenshot taken once two in a row, a
# quarter of a second apart, are alike to the pixel (new state drawn).
vf_settled_shot() {
    local previous="$VL_TMP/settle.png" i
    vl_screenshot "$1" "$previous" || return 1
    for i in $(seq 1 40); do
        sleep 0.25
        vl_screenshot "$1" "$2" || return 1
        vf_same "$previous" "$2" && return 0
        cp "$2" "$previous"
    done
    return 1
}

# vf_differing A.png B.png: the number of pixels that differ at all.
vf_differing() {
    timeout 30 "$VL_COMPARE" -metric AE "$1" "$2" null: 2>&1 >/dev/null | awk '{print $1}'
}

vf_same() { [ "$(vf_differing "$1" "$2")" = 0 ]; }

# vf_stop: Escape, then waits for the program to be gone.
vf_stop() {
    [ -n "$VL_PROGRAM_PID" ] || return 0
    [ -n "${window:-}" ] && vl_send_key "$window" Escape
    local i
    for i in $(seq 1 100); do
        kill -0 "$VL_PROGRAM_PID" 2>/dev/null || break
        sleep 0.1
    done
    vl_stop "$VL_PROGRAM_PID"
    VL_PROGRAM_PID=""
}
