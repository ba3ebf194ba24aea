#!/usr/bin/env bash
# The recordings in this folder, made with 1.0.0 on x86-64 with FMA while
# the camera turned under automatic fire, must replay as matches with the
# same final line on: this build; the same binary with glibc's FMA code
# turned off; the browser build under node; an aarch64 build under
# qemu-user. Each differed in the last bit of some sines and cosines the
# shots' directions took from the C library.
#
#   test_cross_replay.sh VL_REPLAY VL_REPLAY_JS AARCH64_VL_REPLAY
set -u
native=$(realpath "$1")
web="$2"
arm="$3"
here=$(cd "$(dirname "$0")" && pwd)
for f in "$web" "$arm"; do
    [ -f "$f" ] || { echo "FAIL: $f is missing (make web / make cross-build build it)"; exit 1; }
done
sysroot=/usr/aarch64-linux-gnu

failed=0
for recording in "$here"/*.vlr; do
    name=$(basename "$recording")
    wanted=$("$native" "$recording" 2>&1)
    if ! grep -Eqx 'replay matches: [0-9]+ steps, final state [0-9a-f]{16}' <<<"$wanted"; then
        echo "FAIL: $name: this build says '$wanted'"
        failed=1
        continue
    fi
    echo "$name: $wanted"
    declare -A runs=(
        ["without FMA"]=$(GLIBC_TUNABLES=glibc.cpu.hwcaps=-FMA,-AVX2,-FMA4,-AVX "$native" "$recording" 2>&1)
        ["node"]=$(node --no-experimental-fetch "$web" "$recording" 2>&1)
        ["aarch64"]=$(qemu-aarch64 -L "$sysroot" "$arm" "$recording" 2>&1)
    )
    for way in "without FMA" node aarch64; do
        if [ "${runs[$way]}" = "$wanted" ]; then
            echo "PASS: $name, $way"
        else
            echo "FAIL: $name, $way: '${runs[$way]}'"
            failed=1
        fi
    done
    unset runs
done
exit $failed
