#!/usr/bin/env bash
# A recording is never lost, nor said to be saved when it is not.
# - A disk full from the start (a tiny full tmpfs where one can be mounted,
#   else a file size limit of 0): refused before the window, with one line
#   and status 1; the old recording untouched, no part file left.
# - A write that fails while recording (a file size limit of 512 bytes,
#   which the step-100 write outgrows under automatic fire; standard error
#   fits): the recording stops, the part file stays
#   and replays, the old recording is untouched, standard error says
#   "Recording stopped: ..." and so does the corner, after a timed line
#   would have gone; the program runs on and Escape gives status 1.
# - The window manager's close button (a WM_DELETE_WINDOW message, sent as
#   a manager would; Xvfb has none): the session ends as with Escape, the
#   file has its end record and replays.
# - The window destroyed by another client: the same as the close button.
# Usage: test_record_faults.sh PROGRAM DATA_DIR
#   VL_SEND_CLOSE: the sender of the close message (default beside the program)
#   VL_OTHER_CLIENT: the client that destroys the window (likewise)
set -u

# A private mount namespace where the test may have one: the tmpfs below
# then goes away with the test, however it ends.
if [ -z "${VL_MOUNT_NAMESPACE:-}" ] && unshare -m --propagation private true 2>/dev/null; then
    VL_MOUNT_NAMESPACE=1 exec unshare -m --propagation private bash "$0" "$@"
fi

program=$(realpath "$1")
data=$(realpath "$2")
replayer="$(dirname "$program")/vl_replay"
sender=${VL_SEND_CLOSE:-$(dirname "$program")/tests/send_close}
other=${VL_OTHER_CLIENT:-$(dirname "$program")/tests/other_client}
here=$(dirname "$0")
source "$here/lib.sh"
source "$here/lib_input.sh"

full=$VL_TMP/full
mkdir -p "$full"
trap 'umount "$full" 2>/dev/null; vl_cleanup' EXIT

vl_start_xvfb || exit 1
export VENNALOFT_SEED=2024
old="an older recording"

# replays FILE: vl_replay finds every checkpoint matching.
replays() { timeout 60 "$replayer" "$1" 2>&1 | grep -q '^replay matches: '; }

# text_in BOX FILE: the fraction of the box in the notice's text colour.
text_in() { vi_fraction "$2" "$1" 'r > 0.95 && g > 0.95 && b > 0.75 && b < 0.92'; }

# 1. A disk full from the start. Standard error goes through a pipe: a
# file would fall under the size limit too.
# full_start COMMAND...: runs it with -record into the full folder.
full_start() {
    err=$(cd "$data" && SDL_AUDIODRIVER=dummy timeout 20 "$@" -record "$full/rec.vlr" 2>&1 >/dev/null)
    status=$?
}
echo "$old" >"$full/rec.vlr"
if [ -n "${VL_MOUNT_NAMESPACE:-}" ] && mount -t tmpfs -o size=12k tmpfs "$full" 2>/dev/null; then
    echo "$old" >"$full/rec.vlr"
    cat /dev/zero >"$full/filler" 2>/dev/null
    how="a full 12 kB tmpfs"
    reason="No space left on device"
    full_start "$program"
else
    how="a file size limit of 0 (no tmpfs can be mounted here)"
    reason="File too large"
    full_start prlimit --fsize=0 -- "$program"
fi
line="vennaloft: cannot write $full/rec.vlr.part: $reason"
vl_check "$how: refused before the window: status $status, '$err'" \
    eval '[ "$status" = 1 ] && [ "$err" = "$line" ]'
vl_check "$how: the old recording untouched, no part file left" \
    eval '[ "$(cat "$full/rec.vlr")" = "$old" ] && [ ! -e "$full/rec.vlr.part" ]'

# 2. A write that fails while recording.
rec=$VL_TMP/rec.vlr
echo "$old" >"$rec"
vl_start_program prlimit "$data" --fsize=512 -- "$program" -nr 12 -record "$rec"
vl_require_window
vi_point_into "$window"
vi_tap_key "$window" F5
text="Recording stopped: cannot write $rec.part: File too large"
box=$(vl_notice_box "$text")
vi_shot "$window" "$VL_TMP/recording.png"
vl_wait_error_line 'Recording stopped' 20
# Past the two seconds a timed line shows.
sleep 3
vi_shot "$window" "$VL_TMP/stopped.png"
before=$(text_in "$box" "$VL_TMP/recording.png")
after=$(text_in "$box" "$VL_TMP/stopped.png")
vl_check "the corner says it 3 s on (text colour in $box: $before while recording, $after after)" \
    vi_holds "$before < 0.005 && $after > 0.02"
vl_check "standard error says it: '$(cat "$VL_PROGRAM_ERR")'" \
    eval '[ "$(wc -l <"$VL_PROGRAM_ERR")" = 1 ] && grep -q "^vennaloft: $text (" "$VL_PROGRAM_ERR"'
vl_check "the program runs on" vl_program_running
vl_send_key "$window" Escape
vl_wait_exit 10
[ "$VL_EXIT_STATUS" = running ] && vl_stop "$VL_PROGRAM_PID"
vl_check "Escape then gives status 1 (got $VL_EXIT_STATUS)" test "$VL_EXIT_STATUS" = 1
vl_check "the old recording is untouched" eval '[ "$(cat "$rec")" = "$old" ]'
vl_check "the part file stays and replays" replays "$rec.part"

# 3. The close button while recording, before the first checkpoint after the start.
closed=$VL_TMP/closed.vlr
vl_start_program "$program" "$data" -nr 12 -record "$closed"
vl_require_window
sleep 1
vl_check "the close message is sent" "$sender" "$window"
vl_wait_exit 10
[ "$VL_EXIT_STATUS" = running ] && vl_stop "$VL_PROGRAM_PID"
vl_check "the close button ends with status 0 (got $VL_EXIT_STATUS)" test "$VL_EXIT_STATUS" = 0
vl_check "the recording has its end and no part file is left" \
    eval 'tail -n 1 "$closed" 2>/dev/null | grep -q "^e " && [ ! -e "$closed.part" ]'
vl_check "it replays" replays "$closed"

# 4. The window destroyed by another client, while recording.
destroyed=$VL_TMP/destroyed.vlr
vl_start_program "$program" "$data" -nr 12 -record "$destroyed"
vl_require_window
sleep 1
vl_check "another client destroys the window" "$other" destroy "$window"
vl_wait_exit 10
[ "$VL_EXIT_STATUS" = running ] && vl_stop "$VL_PROGRAM_PID"
vl_check "a destroyed window ends with status 0 (got $VL_EXIT_STATUS)" test "$VL_EXIT_STATUS" = 0
vl_check "that recording has its end and no part file is left" \
    eval 'tail -n 1 "$destroyed" 2>/dev/null | grep -q "^e " && [ ! -e "$destroyed.part" ]'
vl_check "it replays too" replays "$destroyed"
vl_finish
