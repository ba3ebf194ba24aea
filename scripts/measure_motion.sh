#!/usr/bin/env bash
# How smoothly a ball moves on the screen: runs the program under a private
# Xvfb with automatic fire and, with a gdb breakpoint on drawFrame that
# lets the program run on, notes for every frame drawn where ball 0's
# centre lands in the window (the frame's own camera and the program's
# projection: 50 degrees high, 640 x 480). Prints the frames per second and
# the largest and the median jump of that point between consecutive frames,
# in pixels. The breakpoint slows each frame a little; the figures are for
# the motion, not the speed (scripts/measure_cpu.sh measures that).
#
# Usage: scripts/measure_motion.sh [--seconds N] [--program PATH] [--data DIR] [--] [ARGS...]
#   ARGS   passed to the program, e.g. -nr 45 -smooth
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=10
program="$root/build/vennaloft"
data="$root/build/data"
args=()
while [ $# -gt 0 ]; do
    case "$1" in
        --seconds) seconds=$2; shift 2 ;;
        --program) program=$2; shift 2 ;;
        --data) data=$2; shift 2 ;;
        --) shift; args+=("$@"); break ;;
        *) args+=("$1"); shift ;;
    esac
done
for tool in Xvfb xdotool gdb; do
    command -v "$tool" >/dev/null || { echo "needs $tool (scripts/install_deps.sh test installs it)" >&2; exit 1; }
done
program=$(realpath "$program")
data=$(realpath "$data")
source "$root/tests/window/lib.sh"
trap 'vl_cleanup' EXIT

export VENNALOFT_SEED=${VENNALOFT_SEED:-4501}
vl_start_xvfb || exit 1
vl_start_program "$program" "$data" "${args[@]}"
window=$(vl_wait_window 30)
[ -n "$window" ] || { echo "no window within 30 s" >&2; exit 1; }
sleep 2
xdotool mousemove --window "$window" 320 240
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool keydown F5
xdotool keyup F5
sleep 2

script="$VL_TMP/motion.gdb"
cat >"$script" <<'GDB'
set pagination off
python
import math, time
def vec(v):
    return (float(v["x"]), float(v["y"]), float(v["z"]))
def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])
def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]
def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])
def unit(a):
    n = math.sqrt(dot(a, a))
    return (a[0] / n, a[1] / n, a[2] / n)
# gluLookAt with up (0, 1, 0), then gluPerspective(50, 640 / 480).
F = 240.0 / math.tan(math.radians(25.0))
def project(eye, center, p):
    f = unit(sub(center, eye))
    s = unit(cross(f, (0.0, 1.0, 0.0)))
    u = cross(s, f)
    d = sub(p, eye)
    depth = dot(d, f)
    if depth <= 20.0:
        return None
    return (320.0 + F * dot(d, s) / depth, 240.0 - F * dot(d, u) / depth)
class Frames(gdb.Breakpoint):
    def __init__(self):
        super().__init__("drawFrame")
        self.points = []
        self.times = []
    def stop(self):
        look = gdb.parse_and_eval("look")
        sim = gdb.parse_and_eval("sim")
        cam = look["camera"]
        p = None
        if int(sim["ballAlive"][0]) != 0:
            p = project(vec(cam["eye"]), vec(cam["center"]), vec(sim["ballPositions"][0]))
        self.points.append(p)
        self.times.append(time.monotonic())
        return False
frames = Frames()
end
continue
python
jumps = []
for a, b in zip(frames.points, frames.points[1:]):
    if a is not None and b is not None:
        jumps.append(math.hypot(b[0] - a[0], b[1] - a[1]))
jumps.sort()
n = len(frames.times)
rate = (n - 1) / (frames.times[-1] - frames.times[0]) if n > 1 else 0.0
print("frames %d, %.1f per second" % (n, rate))
if jumps:
    print("ball 0 on screen: largest jump %.1f px, median %.1f px, over %d frame pairs" % (jumps[-1], jumps[len(jumps) // 2], len(jumps)))
end
detach
GDB
gdb -q -nx -batch -p "$VL_PROGRAM_PID" -x "$script" >"$VL_TMP/motion.log" 2>&1 &
gdb_pid=$!
sleep $((seconds + 3))
kill -INT "$gdb_pid" 2>/dev/null
wait "$gdb_pid"
echo "program: $program${args[*]:+ ${args[*]}} (automatic fire on)"
grep -E "^frames|^ball 0" "$VL_TMP/motion.log" || { echo "measuring failed:" >&2; cat "$VL_TMP/motion.log" >&2; exit 1; }
xdotool key --window "$window" Escape 2>/dev/null
vl_wait_exit 5
