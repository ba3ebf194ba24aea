#!/usr/bin/env bash
# Without an X server to talk to, the toolkit says so and the program ends
# with a plain failure status: no crash, no signal, nothing on standard
# output, no core file. "--version" needs no display at all.
# Usage: test_no_display.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

work="$VL_TMP/data"
mkdir -p "$work"
cp "$data"/* "$work"/

# A display number with no server behind it.
absent=999
while [ -e "/tmp/.X11-unix/X$absent" ] || [ -e "/tmp/.X$absent-lock" ]; do absent=$((absent - 1)); done

# try_display WHAT VALUE: VALUE "-" leaves DISPLAY unset.
try_display() {
    local what=$1 value=$2
    (
        if [ "$value" = - ]; then unset DISPLAY; else export DISPLAY="$value"; fi
        vl_start_program "$program" "$work"
        vl_wait_exit 20
        echo "$VL_EXIT_STATUS" >"$VL_TMP/status"
        vl_stop "$VL_PROGRAM_PID"
    )
    local status
    status=$(cat "$VL_TMP/status")
    local cores
    cores=$(find "$work" -maxdepth 1 -name 'core*' | wc -l)
    if [ "$status" != running ] && [ "$status" -gt 0 ] && [ "$status" -lt 128 ] && [ "$cores" -eq 0 ] &&
        grep -q "failed to open display" "$VL_PROGRAM_ERR" && [ ! -s "$VL_PROGRAM_LOG" ]; then
        vl_pass "$what: '$(head -n 1 "$VL_PROGRAM_ERR")', status $status"
    else
        vl_fail "$what: status $status, $cores core files"
        vl_show_program_output
    fi
}

try_display "DISPLAY unset" -
try_display "DISPLAY=:$absent, no server" ":$absent"
try_display "DISPLAY=nonsense" "nonsense"

out=$( (cd "$work" && env -u DISPLAY timeout 10 "$program" -nr 3 --version) 2>"$VL_TMP/version.err")
status=$?
if [ "$status" = 0 ] && grep -qx 'vennaloft [0-9]*\.[0-9]*\.[0-9]*' <<<"$out" && [ ! -s "$VL_TMP/version.err" ]; then
    vl_pass "--version without a display: '$out', status 0"
else
    vl_fail "--version without a display: status $status, '$out'"
    cat "$VL_TMP/version.err"
fi

vl_finish
