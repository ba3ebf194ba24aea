#!/usr/bin/env bash
# CPU use of two builds side by side: runs scripts/measure_cpu.sh on the old
# and the new program in turn, N pairs, so that the load of other jobs on
# the machine falls on both alike; then prints each run's figures and the
# median of each build.
#
# Usage: scripts/compare_cpu.sh [--pairs N] [--new-arg WORD]... OLD_PROGRAM OLD_DATA NEW_PROGRAM NEW_DATA [MEASURE_ARGS...]
#   --pairs N      number of old/new pairs (default 3)
#   --new-arg WORD one more program argument for the new runs only, e.g.
#                  -smooth (the same program then runs with and without it)
#   MEASURE_ARGS   passed to measure_cpu.sh, e.g. --autofire -- -nr 45
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
pairs=3
new_args=()
while :; do
    case "${1:-}" in
        --pairs) pairs=$2; shift 2 ;;
        --new-arg) new_args+=("$2"); shift 2 ;;
        *) break ;;
    esac
done
if [ $# -lt 4 ]; then
    sed -n '2,12p' "$0" >&2
    exit 2
fi
programs=("$1" "$3")
datas=("$2" "$4")
names=(old new)
shift 4

log=$(mktemp /tmp/compare_cpu.XXXXXX)
trap 'rm -f "$log"' EXIT
for i in $(seq 1 "$pairs"); do
    for b in 0 1; do
        extra=()
        [ "$b" = 1 ] && extra=("${new_args[@]}")
        out=$("$root/scripts/measure_cpu.sh" --program "${programs[$b]}" --data "${datas[$b]}" "$@" "${extra[@]}" 2>&1)
        echo "== pair $i, ${names[$b]}: ${programs[$b]}${extra[*]:+ ${extra[*]}} ($(cut -d' ' -f1-3 /proc/loadavg) load)"
        echo "$out" | grep -E "CPU|main thread|per second|at the end|warning"
        echo "$out" | awk -v build="${names[$b]}" '
            /^program CPU/ {program = $3}
            /of which main thread/ {main = $5; lp = $9}
            END {print build, program, main, lp}' | tr -d '%,' >>"$log"
    done
done

# Medians per build: program, main thread, llvmpipe threads (% of one core).
echo "median over $pairs runs each, % of one core:"
for build in old new; do
    awk -v build="$build" '$1 == build' "$log" | awk '
        function median(a, n,   i, j, t) {
            for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
            return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
        }
        { n++; p[n] = $2; m[n] = $3; l[n] = $4; b = $1 }
        END { printf "  %s: program %.1f, main thread %.1f, llvmpipe %.1f\n", b, median(p, n), median(m, n), median(l, n) }'
done
