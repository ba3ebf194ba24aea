#!/usr/bin/env bash
# vl_replay built with emscripten for node must say what the native one
# says, to the byte and with the same status, about a recording made by the
# native build: one that matches, the same with one input byte changed
# (F5 at step 10 becomes F6: divergence at the checkpoint of step 100), and
# binary garbage (refused).
#
#   test_replay_node.sh RECORD_SESSION NATIVE_VL_REPLAY WEB_VL_REPLAY_JS
set -u
recorder=$(realpath "$1")
native=$(realpath "$2")
web="$3"
[ -f "$web" ] || { echo "FAIL: $web is missing (make web builds it)"; exit 1; }
web=$(realpath "$web")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1

"$recorder" session.vlr 600 || { echo "FAIL: recording the session failed"; exit 1; }
# Without the line to change, changed.vlr would match and fail its compare.
sed 's/^k 10 5 0$/k 10 6 0/' session.vlr >changed.vlr
head -c 3000 /dev/urandom >garbage.vlr

failed=0
# file, status wanted, pattern the native line must match (so a broken
# native build cannot pass by agreeing with a broken web one)
compare() {
    local native_out web_out native_status web_status
    native_out=$("$native" "$1" 2>&1)
    native_status=$?
    web_out=$(node --no-experimental-fetch "$web" "$1" 2>&1)
    web_status=$?
    echo "native ($native_status): $native_out"
    echo "node   ($web_status): $web_out"
    if [ "$native_out" != "$web_out" ] || [ "$native_status" != "$web_status" ]; then
        echo "FAIL: $1: node and native differ"
        failed=1
    elif [ "$native_status" != "$2" ] || ! grep -Eqx "$3" <<<"$native_out"; then
        echo "FAIL: $1: wanted status $2 and a line like '$3'"
        failed=1
    else
        echo "PASS: $1"
    fi
}
compare session.vlr 0 'replay matches: [0-9]+ steps, final state [0-9a-f]{16}'
compare changed.vlr 1 'replay diverges at step 100: expected [0-9a-f]{16}, got [0-9a-f]{16}'
compare garbage.vlr 2 'vl_replay: garbage.vlr: .+'
exit $failed
