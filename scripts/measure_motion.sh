#!/usr/bin/env bash
# How smoothly a ball moves on the screen: runs the program under a private
# Xvfb with automatic fire and, with a gdb breakpoint on drawFrame that
# lets the program run on, notes for every frame drawn where each ball's
# centre lands in the window (the frame's own camera and the program's
# projection: 50 degrees high, 640 x 480). Prints the frames per second and
# the largest jump of a ball's centre between consecutive frames, and the
# median over the frame pairs of the fastest ball's jump, in pixels. The breakpoint slows each frame a little; the figures are for
# the motion, not the speed (scripts/measure_cpu.sh measures that).
#
# Usage: scripts/measure_motion.sh [--seconds N] [--keys "K..."] [--hold KEY] [--program PATH] [--data DIR] [--] [ARGS...]
#   --keys "K..."  keys tapped after F5, e.g. "F1 F1 F1 F1 F1" (fastest step)
#   --hold KEY     a key held down while measuring, e.g. Left (the camera turns)
#   ARGS           passed to the program, e.g. -nr 45 -smooth
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=10
program="$root/build/vennaloft"
data="$root/build/data"
args=()
keys=""
hold=""
while [ $# -gt 0 ]; do
    case "$1" in
        --seconds) seconds=$2; shift 2 ;;
        --keys) keys=$2; shift 2 ;;
        --hold) hold=$2; shift 2 ;;
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
source "$root/scripts/lib_measure.sh"
trap 'vl_cleanup' EXIT

export VENNALOFT_SEED=${VENNALOFT_SEED:-4501}
vl_start_xvfb || exit 1
vl_start_program "$program" "$data" "${args[@]}"
window=$(vl_wait_window 30)
[ -n "$window" ] || { echo "no window within 30 s" >&2; exit 1; }
sleep 2
vm_autofire "$window"
for key in $keys; do
    xdotool key "$key"
done
sleep 2
[ -n "$hold" ] && xdotool keydown "$hold"

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
import struct
# The raw memory is read in one piece per array: each hit must cost the
# program little, or it finds no time for the frames between steps.
V = gdb.lookup_type("Vector3").sizeof
def vectors(data, n):
    return [struct.unpack_from("3d", data, i * V) for i in range(n)]
class Frames(gdb.Breakpoint):
    def __init__(self):
        super().__init__("drawFrame")
        self.raw = []
        self.times = []
        self.inferior = gdb.selected_inferior()
        sim = gdb.parse_and_eval("sim")
        self.positions = int(sim["ballPositions"].address)
        self.alive = int(sim["ballAlive"].address)
    def stop(self):
        look = int(gdb.parse_and_eval("&look"))
        read = self.inferior.read_memory
        self.raw.append((bytes(read(look, 2 * V)), bytes(read(self.positions, 45 * V)), bytes(read(self.alive, 45 * 4))))
        self.times.append(time.monotonic())
        return False
    @property
    def points(self):
        out = []
        for cam, pos, alive in self.raw:
            eye, center = vectors(cam, 2)
            flags = struct.unpack("45i", alive)
            balls = {}
            for k, w in enumerate(vectors(pos, 45)):
                if flags[k] != 0:
                    balls[k] = (w, project(eye, center, w))
            out.append(balls)
        return out
frames = Frames()
end
continue
python
# Per frame pair, the largest jump of any ball seen in both frames; a ball
# put elsewhere (more than 100 units in the world) is not a move.
jumps = []
points = frames.points
for a, b in zip(points, points[1:]):
    largest = 0.0
    for k, (wa, pa) in a.items():
        if k not in b or pa is None or b[k][1] is None:
            continue
        wb, pb = b[k]
        if math.sqrt(dot(sub(wb, wa), sub(wb, wa))) > 100.0:
            continue
        largest = max(largest, math.hypot(pb[0] - pa[0], pb[1] - pa[1]))
    jumps.append(largest)
jumps.sort()
n = len(frames.times)
rate = (n - 1) / (frames.times[-1] - frames.times[0]) if n > 1 else 0.0
print("frames %d, %.1f per second" % (n, rate))
if jumps:
    print("balls on screen: largest jump %.1f px; per frame pair the fastest ball's jump has median %.1f px, over %d pairs" % (jumps[-1], jumps[len(jumps) // 2], len(jumps)))
end
detach
GDB
vm_gdb_for "$seconds" "$script" "$VL_TMP/motion.log"
[ -n "$hold" ] && xdotool keyup "$hold"
echo "program: $program${args[*]:+ ${args[*]}} (automatic fire on${keys:+, then $keys}${hold:+, $hold held})"
grep -E "^frames|^balls on screen" "$VL_TMP/motion.log" || { echo "measuring failed:" >&2; cat "$VL_TMP/motion.log" >&2; exit 1; }
xdotool key --window "$window" Escape 2>/dev/null
vl_wait_exit 5
