#!/usr/bin/env bash
# CPU use of the running demo: starts a private Xvfb, runs the program from
# its data folder with silent audio, and reads the processor time of the
# program and of the X server from /proc over a measured stretch. Then it
# counts the steps and frames the program actually runs, with breakpoints on
# paceStep and drawFrame that gdb counts without stopping the program (the
# count runs after the CPU stretch, so it costs the CPU figure nothing).
#
# Usage: scripts/measure_cpu.sh [--seconds N] [--autofire] [--no-count]
#                               [--program PATH] [--data DIR] [--] [ARGS...]
#   --seconds N   length of each stretch (default 10)
#   --autofire    switch automatic fire on (F5) before measuring
#   --keys "K..." keys tapped before measuring, in order (xdotool names,
#                 e.g. "h i v" for the help, ball and legend panels)
#   --no-count    skip the step count (needs gdb and a binary with symbols)
#   --profile F   also record a perf profile of the program into F, in a
#                 stretch of its own (read it with perf report -i F), and
#                 split the main thread's time into Mesa's renderer and
#                 the rest
#   ARGS          passed to the program, e.g. -nr 45
# Defaults: build/vennaloft and build/data of this checkout.
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=10
autofire=0
keys=""
count=1
profile=""
program="$root/build/vennaloft"
data="$root/build/data"
args=()
while [ $# -gt 0 ]; do
    case "$1" in
        --seconds) seconds=$2; shift 2 ;;
        --autofire) autofire=1; shift ;;
        --keys) keys=$2; shift 2 ;;
        --no-count) count=0; shift ;;
        --profile) profile=$(realpath -m "$2"); shift 2 ;;
        --program) program=$2; shift 2 ;;
        --data) data=$2; shift 2 ;;
        --) shift; args+=("$@"); break ;;
        *) args+=("$1"); shift ;;
    esac
done

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "needs $tool (scripts/install_deps.sh test installs it)" >&2; exit 1; }
done
if [ "$count" -eq 1 ] && ! command -v gdb >/dev/null; then
    echo "gdb not found: steps are not counted" >&2
    count=0
fi
if [ -n "$profile" ] && ! command -v perf >/dev/null; then
    echo "perf not found (Debian package linux-perf): no profile" >&2
    profile=""
fi
[ -x "$program" ] || { echo "no program at $program (make build)" >&2; exit 1; }
program=$(realpath "$program")
data=$(realpath "$data")

source "$root/tests/window/lib.sh"
source "$root/scripts/lib_measure.sh"

# SDL catches SIGTERM, so the program is ended with Escape, as a user ends
# it, and killed only if that fails; the shared clean-up then finds it gone.
stop_program() {
    [ -n "$VL_PROGRAM_PID" ] || return 0
    if [ -n "${window:-}" ]; then
        xdotool key --window "$window" Escape 2>/dev/null
        vl_wait_exit 5
    fi
    if [ -n "$VL_PROGRAM_PID" ]; then
        kill -KILL "$VL_PROGRAM_PID" 2>/dev/null
        wait "$VL_PROGRAM_PID" 2>/dev/null
        VL_PROGRAM_PID=""
    fi
}
trap 'stop_program; vl_cleanup' EXIT

# utime + stime of a process, all its threads, in clock ticks.
cpu_ticks() {
    awk '{sub(/^.*\) /, ""); print $12 + $13}' "/proc/$1/stat"
}

# One line per thread: group and ticks. The groups: the main thread (the
# step, the GL calls, the toolkit), Mesa's llvmpipe rasteriser threads, and
# the rest (sound and driver helpers).
thread_ticks() {
    local task group
    for task in /proc/"$1"/task/*; do
        case "$(cat "$task/comm")" in
            llvmpipe-*) group=llvmpipe ;;
            *) if [ "${task##*/}" = "$1" ]; then group=main; else group=other; fi ;;
        esac
        echo "$group $(cpu_ticks "${task#/proc/}")"
    done
}

now() { date +%s.%N; }

# Two scripts starting at once can pick the same display: the loser's
# server exits, and its probe is answered by the winner's. Only our own
# server will do.
for attempt in 1 2 3; do
    vl_start_xvfb || exit 1
    sleep 0.5
    kill -0 "$VL_XVFB_PID" 2>/dev/null && break
    VL_XVFB_PID=""
done
[ -n "$VL_XVFB_PID" ] || { echo "could not keep an Xvfb of our own" >&2; exit 1; }
vl_start_program "$program" "$data" "${args[@]}"
window=$(vl_wait_window 30)
if [ -z "$window" ]; then
    echo "no window within 30 s" >&2
    cat "$VL_PROGRAM_LOG" >&2
    exit 1
fi
# Past the start-up (textures, first frames).
sleep 2

if [ "$autofire" -eq 1 ]; then
    vm_autofire "$window"
    sleep 2
fi
if [ -n "$keys" ]; then
    for key in $keys; do
        xdotool key --window "$window" "$key"
    done
    sleep 2
fi

tick=$(getconf CLK_TCK)
t0=$(now)
p0=$(cpu_ticks "$VL_PROGRAM_PID")
x0=$(cpu_ticks "$VL_XVFB_PID")
thread_ticks "$VL_PROGRAM_PID" >"$VL_TMP/threads0"
sleep "$seconds"
t1=$(now)
p1=$(cpu_ticks "$VL_PROGRAM_PID")
x1=$(cpu_ticks "$VL_XVFB_PID")
thread_ticks "$VL_PROGRAM_PID" >"$VL_TMP/threads1"

fire=""
[ "$autofire" -eq 1 ] && fire=" (automatic fire on)"
[ -n "$keys" ] && fire="$fire (keys: $keys)"
echo "program: $program${args[*]:+ ${args[*]}}$fire"
awk -v t0="$t0" -v t1="$t1" -v p0="$p0" -v p1="$p1" -v x0="$x0" -v x1="$x1" -v hz="$tick" 'BEGIN {
    wall = t1 - t0
    printf "measured %.1f s\n", wall
    printf "program CPU %.1f %% of one core\n", 100 * (p1 - p0) / hz / wall
    printf "Xvfb CPU %.1f %% of one core\n", 100 * (x1 - x0) / hz / wall
}'
# Per group; the program keeps the same threads for its whole run.
awk -v t0="$t0" -v t1="$t1" -v hz="$tick" '
    FNR == NR {before[$1] += $2; next}
    {after[$1] += $2}
    END {
        wall = t1 - t0
        printf "  of which main thread %.1f %%, llvmpipe threads %.1f %%, other threads %.1f %%\n",
            100 * (after["main"] - before["main"]) / hz / wall,
            100 * (after["llvmpipe"] - before["llvmpipe"]) / hz / wall,
            100 * (after["other"] - before["other"]) / hz / wall
    }' "$VL_TMP/threads0" "$VL_TMP/threads1"

if [ -n "$profile" ]; then
    perf record -F 999 -g -o "$profile" -p "$VL_PROGRAM_PID" -- sleep "$seconds" 2>&1 | tail -n 1
    # The main thread's share split: Mesa's software renderer runs its
    # vertex stages and its JIT-compiled code on the calling thread (work a
    # graphics card takes over); the rest is the program's own, the C
    # library's, the toolkit's and the kernel's. Samples come 999 times a
    # second of a thread's processor time.
    perf script -i "$profile" -F tid,ip,dso -G 2>/dev/null | awk -v main="$VL_PROGRAM_PID" -v seconds="$seconds" '
        $1 == main { if ($3 ~ /swrast_dri|libgallium|perf-[0-9]+\.map/) renderer++; else rest++ }
        END {
            printf "  main thread in the software renderer %.1f %%, the rest of the main thread %.1f %% (profile)\n",
                100 * renderer / 999 / seconds, 100 * rest / 999 / seconds
        }'
fi

if [ "$count" -eq 1 ]; then
    # gdb's Python counts the hits and the time between the first and the
    # last; stop() returning False lets the program run on at once.
    script="$VL_TMP/count.gdb"
    cat >"$script" <<'GDB'
set pagination off
python
import time
class Counter(gdb.Breakpoint):
    def __init__(self, location):
        super().__init__(location)
        self.hits = 0
        self.first = None
        self.last = None
    def stop(self):
        t = time.monotonic()
        self.hits += 1
        if self.first is None:
            self.first = t
        self.last = t
        return False
    def rate(self):
        if self.hits < 2 or self.last <= self.first:
            return 0.0
        return (self.hits - 1) / (self.last - self.first)
steps = Counter("paceStep")
frames = Counter("drawFrame")
end
continue
python print("steps per second %.2f (%d steps)" % (steps.rate(), steps.hits))
python print("frames per second %.2f (%d frames)" % (frames.rate(), frames.hits))
python
sim = gdb.parse_and_eval("sim")
balls = sum(1 for k in range(45) if int(sim["ballAlive"][k]) != 0)
shots = sum(1 for k in range(30) if int(sim["shots"][k]["life"]) != 0)
print("at the end: automatic fire %d, %d balls, %d shots in flight" % (int(sim["controls"]["autoFire"]), balls, shots))
end
detach
GDB
    vm_gdb_for "$seconds" "$script" "$VL_TMP/count.log"
    grep -E "per second|at the end" "$VL_TMP/count.log" || { echo "step count failed:" >&2; cat "$VL_TMP/count.log" >&2; }
    if grep -q "^steps per second 0.00" "$VL_TMP/count.log"; then
        echo "warning: the program ran no step while counted; the figures above are not valid" >&2
    fi
fi
