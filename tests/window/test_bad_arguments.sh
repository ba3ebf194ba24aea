#!/usr/bin/env bash
# Odd command lines do not stop the program: a missing value after -nr or
# -radius, words that are no numbers, negative, huge and fractional values,
# unknown words and empty words. Each time the window opens at its normal
# size and shows the scene, nothing is printed, and Escape ends it with
# status 0. The toolkit's own options without their value are the
# toolkit's business: its message and status 1, no crash. The recording
# options are the exception: one that cannot be honoured stops the program
# before its window, with one line.
# Usage: test_bad_arguments.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

vl_start_xvfb || exit 1
export VENNALOFT_SEED=4242

# try_arguments WORD...: one run with these words on the command line.
try_arguments() {
    local shown="$*" window shot="$VL_TMP/args.png" black lit
    [ $# -eq 0 ] && shown="(none)"
    vl_start_program "$program" "$data" "$@"
    window=$(vl_wait_window 20)
    if [ -z "$window" ]; then
        vl_wait_exit 5
        vl_fail "[$shown]: no window; program is $VL_EXIT_STATUS"
        vl_show_program_output
        vl_stop "$VL_PROGRAM_PID"
        return
    fi
    local problems=""
    local geometry
    geometry=$(vl_window_geometry "$window")
    [ "$geometry" = "640x480+0+0" ] || problems="$problems geometry $geometry;"
    # The scene is drawn: sky all round, nothing left black.
    for i in $(seq 1 25); do
        vl_screenshot "$window" "$shot"
        read -r black _ <<<"$(vl_pixels_where "$shot" 'r + g + b < 0.06')"
        [ "$black" -eq 0 ] && break
        sleep 0.2
    done
    [ "$black" -eq 0 ] || problems="$problems $black black pixels;"
    lit=$(vl_region_fraction "$shot" 50x300+5+90 'b > r + 0.08 && b > g')
    awk -v f="$lit" 'BEGIN {exit !(f > 0.9)}' || problems="$problems sky on the left only $lit;"
    vl_send_key "$window" Escape
    vl_wait_exit 10
    [ "$VL_EXIT_STATUS" = 0 ] || problems="$problems after Escape $VL_EXIT_STATUS;"
    [ -s "$VL_PROGRAM_LOG" ] && problems="$problems standard output not empty;"
    [ -s "$VL_PROGRAM_ERR" ] && problems="$problems standard error not empty;"
    if [ -z "$problems" ]; then
        vl_pass "[$shown]: window, scene, silent, Escape gives 0"
    else
        vl_fail "[$shown]:$problems"
        vl_show_program_output
        vl_stop "$VL_PROGRAM_PID"
    fi
}

try_arguments -nr
try_arguments -radius
try_arguments -nr 12 -radius 8 -nr
try_arguments -nr abc -radius xyz
try_arguments -nr -5 -radius -7
try_arguments -nr 99999999999 -radius 99999999999
try_arguments -nr -99999999999 -radius 7.9
try_arguments -nr 7.9 -radius " 12x"
try_arguments -help -F -NR 3 -Radius 9 /nr 4 nr
try_arguments "" ""
try_arguments -nr "" -radius ""

# toolkit_option WORD MESSAGE: the toolkit refuses its own option.
toolkit_option() {
    vl_start_program "$program" "$data" "$1"
    vl_wait_exit 20
    if [ "$VL_EXIT_STATUS" = 1 ] && grep -q "$2" "$VL_PROGRAM_ERR" && [ ! -s "$VL_PROGRAM_LOG" ]; then
        vl_pass "[$1]: the toolkit's message, status 1"
    else
        [ "$VL_EXIT_STATUS" = running ] && vl_stop "$VL_PROGRAM_PID"
        vl_fail "[$1]: status $VL_EXIT_STATUS"
        vl_show_program_output
    fi
}
toolkit_option -display "must be followed by display name"
toolkit_option -geometry "must be followed by window geometry"

# refused STATUS MESSAGE WORD...: a recording option the program cannot
# honour ends it before any window, with one line and the status (the
# reader's reasons themselves are its unit tests' business).
refused() {
    local status=$1 message=$2
    shift 2
    vl_start_program "$program" "$data" "$@"
    vl_wait_exit 20
    if [ "$VL_EXIT_STATUS" = "$status" ] && [ "$(wc -l <"$VL_PROGRAM_ERR")" -eq 1 ] &&
        grep -q "$message" "$VL_PROGRAM_ERR" && [ -z "$(vl_wait_window 0)" ]; then
        vl_pass "[$*]: refused with status $status: $(cat "$VL_PROGRAM_ERR")"
    else
        [ "$VL_EXIT_STATUS" = running ] && vl_stop "$VL_PROGRAM_PID"
        vl_fail "[$*]: status $VL_EXIT_STATUS"
        vl_show_program_output
    fi
}
printf 'VLREPLAY 1\no 1 5 20\nx 0 0123456789abcdef\ns 1\n' >"$VL_TMP/cut.vlr"
refused 2 "needs a file name" -record
refused 2 "cannot be used together" -record "$VL_TMP/a.vlr" -replay "$VL_TMP/b.vlr"
refused 1 "No such file" -replay "$VL_TMP/missing.vlr"
refused 1 "truncated" -replay "$VL_TMP/cut.vlr"
refused 1 "cannot write" -record "$VL_TMP/no/such/folder.vlr"
mkdir "$VL_TMP/folder.vlr"
refused 1 "it is a folder" -record "$VL_TMP/folder.vlr"

vl_finish
