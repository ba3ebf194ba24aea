# Shared helpers for the window tests: a private Xvfb server, the program
# started under it, the window found by title, screenshots and pixel
# queries. Source it, then call vl_start_xvfb; cleanup runs on exit.

VL_TITLE="Vennaloft by Orlaskin"
VL_XVFB_PID=""
VL_PROGRAM_PID=""
VL_TMP="$(mktemp -d /tmp/vl_window.XXXXXX)"
VL_PROGRAM_LOG="$VL_TMP/program.out"
VL_PROGRAM_ERR="$VL_TMP/program.err"
VL_FAILURES=0

# The real ImageMagick, by full path: a stand-in may shadow it on the PATH.
VL_CONVERT=/usr/bin/convert
VL_COMPARE=/usr/bin/compare
VL_IMPORT=/usr/bin/import

# vl_stop PID: ends one process this script started, forcibly if it does
# not go within two seconds, and reaps it.
vl_stop() {
    local pid=$1 i
    [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || return 0
    kill "$pid" 2>/dev/null
    for i in $(seq 1 20); do
        kill -0 "$pid" 2>/dev/null || break
        # An ended child that is not yet reaped still answers kill -0.
        [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" = Z ] && break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

vl_cleanup() {
    vl_stop "$VL_PROGRAM_PID"
    vl_stop "$VL_XVFB_PID"
    if [ -n "${VL_KEEP_SHOTS:-}" ]; then
        echo "screenshots kept in $VL_TMP"
    else
        rm -rf "$VL_TMP"
    fi
}
trap vl_cleanup EXIT
# A stopped test (ctest's time limit, Ctrl-C) still takes its server down.
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

vl_fail() {
    echo "FAIL: $*"
    VL_FAILURES=$((VL_FAILURES + 1))
}

VL_PASSED=0

vl_pass() {
    echo "ok: $*"
    VL_PASSED=$((VL_PASSED + 1))
}

# vl_check WHAT COMMAND...: a pass when the command succeeds, else a failure.
vl_check() {
    local what=$1
    shift
    if "$@"; then
        vl_pass "$what"
    else
        vl_fail "$what"
    fi
}

# vl_require_window: waits for the program's window and sets $window; with
# no window the test ends as failed.
vl_require_window() {
    window=$(vl_wait_window 30)
    if [ -z "$window" ]; then
        vl_fail "no window titled '$VL_TITLE' within 30 s"
        vl_show_program_output
        vl_finish
    fi
}

# vl_quit_with_escape: Escape must end the program with status 0.
vl_quit_with_escape() {
    vl_send_key "$window" Escape
    vl_wait_exit 10
    if [ "$VL_EXIT_STATUS" = "0" ]; then
        vl_pass "Escape ends with status 0"
    else
        vl_fail "after Escape the program is $VL_EXIT_STATUS"
        vl_show_program_output
    fi
}

# vl_show_program_output: both output files, for a failure report.
vl_show_program_output() {
    echo "--- program standard output"
    cat "$VL_PROGRAM_LOG"
    echo "--- program standard error"
    cat "$VL_PROGRAM_ERR"
}

# Prints the closing tally and exits 0 only when nothing failed.
vl_finish() {
    echo "$VL_PASSED passed, $VL_FAILURES failed"
    [ "$VL_FAILURES" -eq 0 ]
    exit $?
}

# Starts a private Xvfb and exports DISPLAY; VL_SCREEN sets its size
# (default 1024x768, larger for large screenshots).
# -r: no key auto-repeat, so a held key gives one press and one release.
vl_start_xvfb() {
    local number_file="$VL_TMP/display" n i
    # -displayfd: the server picks a free display number itself, so tests
    # started at the same moment never share one. -noreset: the readiness
    # probe below is the server's first client, and a reset after it leaves
    # would refuse the program's connection. -r: no key auto-repeat.
    Xvfb -displayfd 3 -screen 0 "${VL_SCREEN:-1024x768}x24" -nolisten tcp -noreset -r \
        3>"$number_file" >"$VL_TMP/xvfb.log" 2>&1 &
    VL_XVFB_PID=$!
    for i in $(seq 1 100); do
        # The number is written once the server listens, newline last.
        n=$(grep -x '[0-9][0-9]*' "$number_file" 2>/dev/null)
        if [ -n "$n" ] && DISPLAY=":$n" timeout 5 xdpyinfo >/dev/null 2>&1; then
            export DISPLAY=":$n"
            return 0
        fi
        kill -0 "$VL_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "could not start Xvfb" >&2
    cat "$VL_TMP/xvfb.log" >&2
    return 1
}

# vl_start_program PROGRAM DATA_DIR [ARGS...]: runs it from the data folder
# with silent audio (SDL's dummy driver, or the one named in VL_AUDIODRIVER);
# standard output goes to $VL_PROGRAM_LOG, standard error to $VL_PROGRAM_ERR.
vl_start_program() {
    local program=$1 data=$2
    shift 2
    (cd "$data" && SDL_AUDIODRIVER="${VL_AUDIODRIVER:-dummy}" exec "$program" "$@") \
        >"$VL_PROGRAM_LOG" 2>"$VL_PROGRAM_ERR" &
    VL_PROGRAM_PID=$!
}

# vl_wait_error_line PATTERN SECONDS: polls until a line of the program's
# standard error matches the grep PATTERN; false if none comes in the time.
vl_wait_error_line() {
    local i
    for i in $(seq 1 $(($2 * 5))); do
        grep -q -- "$1" "$VL_PROGRAM_ERR" && return 0
        sleep 0.2
    done
    return 1
}

# True while the program runs. Unlike kill -0 it is false for a program
# that has ended but not yet been reaped (as seen from a subshell).
vl_program_running() {
    [ -n "$VL_PROGRAM_PID" ] || return 1
    local state
    state=$(ps -o stat= -p "$VL_PROGRAM_PID" 2>/dev/null) || return 1
    case "$state" in Z*) return 1 ;; esac
    return 0
}

# Prints the id of the program's window, waiting up to TIMEOUT seconds.
# Polls rather than using xdotool's --sync, which can wait forever.
vl_wait_window() {
    local timeout=${1:-30} i id
    for i in $(seq 1 $((timeout * 5))); do
        id=$(timeout 5 xdotool search --onlyvisible --name "^$VL_TITLE\$" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        vl_program_running || return 1
        sleep 0.2
    done
    return 1
}

# Prints "WIDTHxHEIGHT+X+Y" of a window, from xwininfo.
vl_window_geometry() {
    # Without an id xwininfo would wait for a click.
    [ -n "$1" ] || { echo none; return 1; }
    timeout 10 xwininfo -id "$1" | awk '
        /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF}
        END {printf "%sx%s+%s+%s\n", w, h, x, y}'
}

vl_window_title() {
    [ -n "$1" ] || return 1
    timeout 10 xdotool getwindowname "$1"
}

# vl_screenshot WINDOW_ID FILE.png
vl_screenshot() {
    [ -n "$1" ] || return 1
    timeout 30 "$VL_IMPORT" -window "$1" "png:$2" 2>/dev/null
}

# vl_pixel FILE X Y: prints "R G B" (0..255).
vl_pixel() {
    timeout 30 "$VL_CONVERT" "$1" -crop "1x1+$2+$3" -depth 8 -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:
}

# vl_region_colours FILE WxH+X+Y: number of distinct colours in the region.
vl_region_colours() {
    timeout 30 "$VL_CONVERT" "$1" -crop "$2" +repage -format '%k' info:
}

# vl_region_mean FILE WxH+X+Y: mean brightness of the region, 0..255.
vl_region_mean() {
    timeout 30 "$VL_CONVERT" "$1" -crop "$2" +repage -colorspace gray -format '%[fx:int(255*mean+0.5)]' info:
}

# vl_region_fraction FILE WxH+X+Y FX: fraction (0..1) of the region's pixels
# for which the ImageMagick expression FX is true, e.g. 'r+g+b>0.05'.
vl_region_fraction() {
    timeout 30 "$VL_CONVERT" "$1" -crop "$2" +repage -fx "($3)?1:0" -colorspace gray -format '%[fx:mean]' info:
}

# vl_wait_exit SECONDS: waits for the program to end and sets
# VL_EXIT_STATUS to its exit status, or to "running" if it is still alive
# after the time. Call it directly, not in $( ), so that wait sees the child.
vl_wait_exit() {
    local limit=$1 i
    VL_EXIT_STATUS=running
    # Short polls: runs that end during start-up take a tenth of a second.
    for i in $(seq 1 $((limit * 40))); do
        if ! kill -0 "$VL_PROGRAM_PID" 2>/dev/null; then
            VL_EXIT_STATUS=0
            wait "$VL_PROGRAM_PID" || VL_EXIT_STATUS=$?
            VL_PROGRAM_PID=""
            return 0
        fi
        sleep 0.025
    done
}

# vl_send_key WINDOW_ID KEY: focuses the window and types the key through
# XTEST, as a real keyboard would. There is no window manager, so the
# pointer is put inside the window first: focus then stays with it.
vl_send_key() {
    [ -n "$1" ] || return 1
    timeout 5 xdotool mousemove --window "$1" 10 10
    timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null || timeout 5 xdotool windowfocus "$1"
    timeout 5 xdotool key "$2"
}

# vl_changed_fraction A.png B.png: fraction (0..1) of pixels that differ by
# more than 15% between two screenshots of the same size.
vl_changed_fraction() {
    local count size
    count=$(timeout 30 "$VL_COMPARE" -metric AE -fuzz 15% "$1" "$2" null: 2>&1 >/dev/null | awk '{print $1}')
    size=$(timeout 30 "$VL_CONVERT" "$1" -format '%[fx:w*h]' info:)
    awk -v c="$count" -v s="$size" 'BEGIN {printf "%.4f\n", c / s}'
}

# vl_click WINDOW_ID X Y BUTTON: moves the pointer to the window point and clicks.
vl_click() {
    [ -n "$1" ] || return 1
    timeout 5 xdotool mousemove --window "$1" "$2" "$3"
    timeout 5 xdotool click "$4"
}

# vl_hold_button WINDOW_ID X Y BUTTON SECONDS: presses the button at the
# window point, keeps it down for the time, then lets go.
vl_hold_button() {
    [ -n "$1" ] || return 1
    timeout 5 xdotool mousemove --window "$1" "$2" "$3"
    timeout 5 xdotool mousedown "$4"
    sleep "$5"
    timeout 5 xdotool mouseup "$4"
}

# vl_resize WINDOW_ID WIDTH HEIGHT: asks the server for a new size (there is
# no window manager to refuse or adjust it; the server itself may refuse).
vl_resize() {
    [ -n "$1" ] || return 1
    timeout 5 xdotool windowsize "$1" "$2" "$3"
}

# vl_wait_geometry WINDOW_ID WxH SECONDS: polls until the window has the size.
vl_wait_geometry() {
    local i
    for i in $(seq 1 $(($3 * 10))); do
        case "$(vl_window_geometry "$1")" in "$2"+*) return 0 ;; esac
        sleep 0.1
    done
    return 1
}

# vl_pixels_where FILE CONDITION: prints "COUNT X Y LEFT TOP RIGHT BOTTOM":
# the number of pixels for which the awk CONDITION holds, their mean
# position and their bounding box ("0 - - - - - -" for none). The
# condition sees r, g, b (0..1) and x, y (pixels from the top left).
# awk over the raw bytes: ImageMagick's -fx takes seconds for this.
vl_pixels_where() {
    local width
    width=$(timeout 30 "$VL_CONVERT" "$1" -format '%w' info:) || return 1
    timeout 30 "$VL_CONVERT" "$1" -depth 8 rgb:- | od -An -v -tu1 -w3 |
        awk -v w="$width" '
            { r = $1 / 255; g = $2 / 255; b = $3 / 255; x = n % w; y = int(n / w); n++ }
            '"$2"' {
                if (!c || x < x0) x0 = x; if (!c || x > x1) x1 = x
                if (!c || y < y0) y0 = y; if (!c || y > y1) y1 = y
                c++; sx += x; sy += y
            }
            END {
                if (c) printf "%d %.1f %.1f %d %d %d %d\n", c, sx / c, sy / c, x0, y0, x1, y1
                else print "0 - - - - - -"
            }'
}

# vl_pixels_changed_where A.png B.png CONDITION: prints "ONLY_A ONLY_B BOTH",
# the pixels for which the awk CONDITION (on r, g, b, x, y as in
# vl_pixels_where) holds in A only, in B only and in both: how far a set of
# pixels of one colour moved between two screenshots of the same size.
vl_pixels_changed_where() {
    local width
    width=$(timeout 30 "$VL_CONVERT" "$1" -format '%w' info:) || return 1
    paste -d ' ' \
        <(timeout 30 "$VL_CONVERT" "$1" -depth 8 rgb:- | od -An -v -tu1 -w3) \
        <(timeout 30 "$VL_CONVERT" "$2" -depth 8 rgb:- | od -An -v -tu1 -w3) |
        awk -v w="$width" '
            function holds(r, g, b) { return ('"$3"') }
            { x = n % w; y = int(n / w); n++
              inA = holds($1 / 255, $2 / 255, $3 / 255); inB = holds($4 / 255, $5 / 255, $6 / 255)
              if (inA && inB) both++; else if (inA) onlyA++; else if (inB) onlyB++ }
            END { printf "%d %d %d\n", onlyA, onlyB, both }'
}

# vl_notice_box TEXT [WIDTH]: where the corner notice for TEXT lies in a
# 640x480 window: lines of at most WIDTH characters (75; 61 while paused,
# when they end before the pause label), broken at a space (dropped), else
# after a '/', else inside the word, as the program breaks them.
vl_notice_box() {
    local text=$1 width=${2:-75} widest=0 lines=0 head cut rest
    while [ -n "$text" ]; do
        if [ ${#text} -le $width ]; then
            head=$text rest=""
        else
            head=${text:0:$((width + 1))}
            cut=${head% *}
            if [ "$cut" != "$head" ] && [ -n "$cut" ]; then
                head=$cut rest=${text:$((${#cut} + 1))}
            else
                head=${text:0:$width}
                cut=${head%/*}
                if [ "$cut" != "$head" ]; then head="$cut/"; fi
                rest=${text:${#head}}
            fi
            rest=${rest#"${rest%%[! ]*}"}
        fi
        [ ${#head} -gt $widest ] && widest=${#head}
        lines=$((lines + 1))
        text=$rest
    done
    echo "$((widest * 8 + 16))x$((lines * 15 + 16))+10+$((480 - 10 - lines * 15 - 16))"
}
