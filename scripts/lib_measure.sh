# Shared by the measuring scripts (measure_cpu.sh, measure_motion.sh), which
# run the program under tests/window/lib.sh's private Xvfb; source it after
# that library.

# vm_autofire WINDOW_ID: automatic fire on (F5), with the pointer at the
# window's centre and the window focused.
vm_autofire() {
    xdotool mousemove --window "$1" 320 240
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    xdotool keydown F5
    xdotool keyup F5
}

# vm_gdb_for SECONDS SCRIPT LOG: runs the gdb SCRIPT attached to the program,
# with its output in LOG, for SECONDS and three more (attaching and reading
# the symbols take a moment; the script's rates are timed from the first
# hit), then interrupts it, so that the script prints and detaches.
vm_gdb_for() {
    gdb -q -nx -batch -p "$VL_PROGRAM_PID" -x "$2" >"$3" 2>&1 &
    local gdb_pid=$!
    sleep $(($1 + 3))
    kill -INT "$gdb_pid" 2>/dev/null
    wait "$gdb_pid"
}
