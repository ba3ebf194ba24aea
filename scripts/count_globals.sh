#!/usr/bin/env bash
# Counts the writable objects (globals and function-local statics, in .bss or
# .data) each library holds, from the built static libraries. The layers
# below app/ that the simulation and the input run through hold none: whoever
# owns the state hands it in. app/ holds the few live things there are one of
# (the simulation, the session, the window's toolkit state), at most six,
# the window program's own app/ files included.
#
#   scripts/count_globals.sh <build dir>
# Prints the count and the names per library; exits 1 when a limit is passed
# or a library is missing.
set -euo pipefail

build="${1:?usage: count_globals.sh <build dir>}"
declare -A limit=([geometry]=0 [scene]=0 [effects]=0 [input]=0 [physics]=0 [lab]=0 [app]=6)

writable_objects() {  # library file
    # Guard variables come with a local static, which is counted itself; the
    # personality reference and type info are the compiler's, not state, and
    # so are AddressSanitizer's markers beside each global in its build.
    objdump -t "$1" | awk '$3 == "O" || $2 == "O" {
        section = ($2 == "O") ? $3 : $4
        if (section !~ /^\.(bss|data)/ || section ~ /^\.data\.rel\.ro/) next
        name = $NF
        if (name ~ /^_ZGV/ || name ~ /__gxx_personality_v0$/ || name ~ /^\.L/ || name ~ /^__(odr_)?asan/) next
        print name
    }' | sort -u
}

bad=0
for layer in geometry scene effects input physics lab app; do
    lib="$build/libvl_$layer.a"
    if [ ! -f "$lib" ]; then
        echo "$lib: missing (build it first)"
        bad=1
        continue
    fi
    names=$(writable_objects "$lib")
    # The window program's own app/ files (the toolkit's callbacks, the
    # window watch) count with the library's where that program is built.
    if [ "$layer" = app ]; then
        for object in "$build"/CMakeFiles/vennaloft.dir/app/*.o; do
            [ -f "$object" ] && names=$(printf '%s\n%s' "$names" "$(writable_objects "$object")")
        done
        names=$(printf '%s\n' "$names" | grep . | sort -u || true)
    fi
    count=$(printf '%s' "$names" | grep -c . || true)
    echo "$layer: $count (at most ${limit[$layer]})${names:+: $(echo $names)}"
    if [ "$count" -gt "${limit[$layer]}" ]; then bad=1; fi
done
exit "$bad"
