#!/usr/bin/env bash
# The same soak, built natively and with emscripten for node, must print
# the same report to the last line, the hash of the final state included.
#
#   test_soak_node.sh NATIVE_SOAK WEB_SOAK_JS [STEPS]
set -u
native="$1"
web="$2"
steps="${3:-20000}"
[ -f "$web" ] || { echo "FAIL: $web is missing (make web builds it)"; exit 1; }
native_out=$("$native" "$steps") || { echo "FAIL: the native soak failed"; exit 1; }
web_out=$(node --no-experimental-fetch "$web" "$steps") || { echo "FAIL: the soak under node failed"; exit 1; }
echo "native: $(tail -1 <<<"$native_out")"
echo "node:   $(tail -1 <<<"$web_out")"
if [ "$native_out" != "$web_out" ]; then
    echo "FAIL: the reports differ after $steps steps:"
    diff <(echo "$native_out") <(echo "$web_out")
    exit 1
fi
echo "same report after $steps steps"
