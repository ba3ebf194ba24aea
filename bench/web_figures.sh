#!/usr/bin/env bash
# Figures of the browser build (a benchmark, not a test): the page's size
# gzipped, the soak's step under node against the native one in the same
# run, and the time to the first frame in headless chromium.
#
#   bench/web_figures.sh [BUILD] [STEPS] [ROUNDS]   (defaults build, 50000, 3)
# Needs `make web` and `make web-test-deps` done.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
steps=${2:-50000}
rounds=${3:-3}
web="$build/web"

total=0
for f in index.html page.js vennaloft.js vennaloft.wasm vennaloft.data; do
    size=$(gzip -9c "$web/$f" | wc -c)
    total=$((total + size))
    printf '  %-15s %8d bytes, %8d gzipped\n' "$f" "$(stat -c %s "$web/$f")" "$size"
done
echo "page size: $total bytes gzipped (target at most 1048576)"

# Native and node in turn, each round both, so that a change of load hits both.
seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null; end=$(date +%s.%N); awk "BEGIN { print $end - $start }"; }
native=(); node=()
for ((i = 0; i < rounds; i++)); do
    native+=("$(seconds "$build/vl_soak" "$steps")")
    node+=("$(seconds node --no-experimental-fetch "$web/vl_soak.js" "$steps")")
done
median() { printf '%s\n' "$@" | sort -g | sed -n "$((($# + 1) / 2))p"; }
n=$(median "${native[@]}"); w=$(median "${node[@]}")
printf 'step cost over %d soak steps (median of %d): native %.3f s, wasm under node %.3f s (start-up included): %.2fx (target at most 1.5x)\n' \
    "$steps" "$rounds" "$n" "$w" "$(awk "BEGIN { print $w / $n }")"

node "$root/bench/web_first_frame.js" "$web" 5
