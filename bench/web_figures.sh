#!/usr/bin/env bash
# Figures of the browser build (a benchmark, not a test): the page's size
# gzipped (every file of the site), the soak's step under node against the
# native one in the same run, and in headless chromium the time to the first
# frame and the step and frame rates on a big screen and on a phone.
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
for f in index.html page.js vennaloft.js vennaloft.wasm vennaloft.data service-worker.js manifest.webmanifest \
    vennaloft-32.png vennaloft-128.png vennaloft-256.png vennaloft.svg; do
    size=$(gzip -9c "$web/$f" | wc -c)
    total=$((total + size))
    printf '  %-20s %8d bytes, %8d gzipped\n' "$f" "$(stat -c %s "$web/$f")" "$size"
done
echo "page size: $total bytes gzipped (target at most 1048576)"

# Native and node in turn, each round both, so that a change of load hits both.
seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null; end=$(date +%s.%N); awk "BEGIN { print $end - $start }"; }
# A one-step run of each measures its start-up, which is taken off.
native=(); node=()
for ((i = 0; i < rounds; i++)); do
    a=$(seconds "$build/vl_soak" "$steps"); b=$(seconds "$build/vl_soak" 1)
    native+=("$(awk "BEGIN { print $a - $b }")")
    a=$(seconds node --no-experimental-fetch "$web/vl_soak.js" "$steps"); b=$(seconds node --no-experimental-fetch "$web/vl_soak.js" 1)
    node+=("$(awk "BEGIN { print $a - $b }")")
done
median() { printf '%s\n' "$@" | sort -g | sed -n "$((($# + 1) / 2))p"; }
n=$(median "${native[@]}"); w=$(median "${node[@]}")
printf 'step cost (median of %d runs of %d soak steps, start-up taken off): native %.1f us, wasm under node %.1f us: %.2fx (target at most 1.5x)\n' \
    "$rounds" "$steps" "$(awk "BEGIN { print $n / $steps * 1e6 }")" "$(awk "BEGIN { print $w / $steps * 1e6 }")" \
    "$(awk "BEGIN { print $w / $n }")"

node "$root/bench/web_page_figures.js" "$web" 5
