#!/usr/bin/env bash
# Runs vl_trig_values on this machine, with glibc's FMA code turned off,
# under node (the browser build) and on aarch64 under qemu-user, and has
# scripts/check_trig.py compare them with mpmath (`make check-trig`).
#
#   check_trig.sh BUILD WEB_BUILD AARCH64_BUILD
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build=$(realpath "$1")
web=$(realpath "$2")
arm=$(realpath "$3")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$build/vl_trig_values" "$tmp/fma.txt"
GLIBC_TUNABLES=glibc.cpu.hwcaps=-FMA,-AVX2,-FMA4,-AVX "$build/vl_trig_values" "$tmp/nofma.txt"
node --no-experimental-fetch "$web/vl_trig_values.js" "$tmp/node.txt"
qemu-aarch64 -L /usr/aarch64-linux-gnu "$arm/vl_trig_values" "$tmp/aarch64.txt"
# Debian's python3 with its mpmath (the cross group installs it).
/usr/bin/python3 "$root/scripts/check_trig.py" fma="$tmp/fma.txt" noFMA="$tmp/nofma.txt" \
    node="$tmp/node.txt" aarch64="$tmp/aarch64.txt"
