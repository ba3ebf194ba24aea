#!/usr/bin/env bash
# An image that cannot be read ends start-up: the reader's message alone on
# standard output, exit status 1, and the files after it are not tried.
# Usage: test_missing_texture.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

vl_start_xvfb || exit 1

# run_without FILE: the data folder less one image.
run_without() {
    local missing=$1 folder="$VL_TMP/data_without_$1"
    mkdir -p "$folder"
    cp "$data"/* "$folder"/
    rm -f "$folder/$missing"
    vl_start_program "$program" "$folder"
    vl_wait_exit 30
}

for missing in marble.bmp flare.bmp; do
    run_without "$missing"
    expected="File Not Found : $missing"
    output=$(cat "$VL_PROGRAM_LOG")
    if [ "$VL_EXIT_STATUS" = "1" ] && [ "$output" = "$expected" ]; then
        vl_pass "without $missing: status 1 and '$expected'"
    else
        vl_fail "without $missing: status $VL_EXIT_STATUS"
        vl_show_program_output
    fi
done

vl_finish
