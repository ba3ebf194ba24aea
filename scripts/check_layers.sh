#!/usr/bin/env bash
# Keeps the folders layered: a source file may include headers from its own
# folder and from folders earlier in the order below, never from a later one;
# and nothing below webgl/ (the browser build's GL layer, just under render/)
# includes GL, GLU or GLUT headers. Test sources in
# tests/unit/<layer>/ are held to their layer's place. Below app/ no code
# (comments and string literals aside) names `sim`, the live simulation
# app/ owns, or declares an extern Simulation: the code there is handed the
# simulation it works on.
#
#   scripts/check_layers.sh [root]      (default: the project root)
# Prints each offending line and exits 1 when there is one.
set -euo pipefail

root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
layers=(platform geometry scene effects input physics lab assets webgl render app)
first_gl_rank=8

rank_of() {
    local i
    for i in "${!layers[@]}"; do
        if [ "${layers[$i]}" = "$1" ]; then echo "$i"; return; fi
    done
    echo -1
}

bad=0
checked=0
check_file() {  # file, rank of the layer it belongs to, label
    local file="$1" own="$2" line header folder rank
    checked=$((checked + 1))
    while IFS= read -r line; do
        header="${line#*:}"
        header="${header#*#include }"
        case "$header" in
            \"*)
                folder="${header#\"}"
                folder="${folder%%/*}"
                rank=$(rank_of "$folder")
                if [ "$rank" -gt "$own" ]; then
                    echo "${file#"$root"/}:${line%%:*}: includes ${header} from a later layer ($folder)"
                    bad=1
                fi
                ;;
            \<GL/*)
                if [ "$own" -lt "$first_gl_rank" ]; then
                    echo "${file#"$root"/}:${line%%:*}: includes ${header} below webgl/"
                    bad=1
                fi
                ;;
        esac
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include' "$file" || true)
}

# Comments, string and character literals blanked (line breaks kept), then
# every line that names `sim` or declares an extern Simulation.
live_simulation_uses() {  # file
    perl -0777 -ne '
        s{//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\x27(?:\\.|[^\x27\\\n])*\x27}{ (my $m = $&) =~ tr/\n//cd; $m }gse;
        my $n = 0;
        for (split /\n/, $_, -1) {
            ++$n;
            print "$n\n" if /\bsim\b/ || /\bextern\s+(?:const\s+)?Simulation\b/;
        }' "$1"
}

app_rank=$(rank_of app)
for layer in "${layers[@]}"; do
    own=$(rank_of "$layer")
    for dir in "$root/$layer" "$root/tests/unit/$layer"; do
        [ -d "$dir" ] || continue
        while IFS= read -r -d '' file; do
            check_file "$file" "$own"
            if [ "$own" -lt "$app_rank" ] && [ "$dir" = "$root/$layer" ]; then
                while IFS= read -r n; do
                    echo "${file#"$root"/}:$n: uses the live simulation below app/"
                    bad=1
                done < <(live_simulation_uses "$file")
            fi
        done < <(find "$dir" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
    done
done

if [ "$bad" -ne 0 ]; then
    echo "layer check: failed"
    exit 1
fi
echo "layer check: $checked files, every include runs downward, no live simulation below app/"
