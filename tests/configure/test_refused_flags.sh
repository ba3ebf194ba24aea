#!/usr/bin/env bash
# Flags that would change the arithmetic stop the configure with one line,
# from the environment or from CMake's own variables; x87 arithmetic (here
# forced with -mfpmath=387) is replaced by SSE2, not refused.
# Usage: test_refused_flags.sh SOURCE_DIR
set -u
source_dir=$(realpath "$1")
work=$(mktemp -d /tmp/vl_configure.XXXXXX)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() {
    if eval "$2"; then
        echo "ok: $1"
        passed=$((passed + 1))
    else
        echo "FAIL: $1"
        failed=$((failed + 1))
    fi
}

# configure NAME ENV... -- CMAKE_ARGS...: a fresh headless configure; sets
# $status and $out (both streams).
configure() {
    local name=$1 envs=()
    shift
    while [ "$1" != -- ]; do envs+=("$1"); shift; done
    shift
    out=$(env -u CXXFLAGS -u LDFLAGS "${envs[@]}" cmake -S "$source_dir" -B "$work/$name" -DVL_HEADLESS_ONLY=ON "$@" 2>&1)
    status=$?
}

# refused FLAG WHERE: the last configure stopped, with our line once.
refused() {
    local line=" Vennaloft: $1 in $2 is refused: "
    check "$1 in $2: status $status, the line once" \
        '[ "$status" != 0 ] && [ "$(grep -c -F -- "$line" <<<"$out")" = 1 ]'
}
configure fast "CXXFLAGS=-O2 -ffast-math" --
refused -ffast-math CXXFLAGS
configure ofast LDFLAGS=-Ofast --
refused -Ofast LDFLAGS
configure unsafe -- -DCMAKE_CXX_FLAGS=-funsafe-math-optimizations
refused -funsafe-math-optimizations CMAKE_CXX_FLAGS

configure x87 CXXFLAGS=-mfpmath=387 --
check "-mfpmath=387: configured with SSE2 arithmetic instead (status $status)" \
    '[ "$status" = 0 ] && grep -q "compiling with -msse2 -mfpmath=sse" <<<"$out"'
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
