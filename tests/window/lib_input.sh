# Helpers for the window tests that drive the program as a user would:
# keys held and let go, buttons held, the picture polled until it settles
# or changes, and the sound captured by SDL's disk driver. Source it after
# lib.sh. Every external call has a time limit.

VI_CONVERT=/usr/bin/convert
VI_COMPARE=/usr/bin/compare
VI_IMPORT=/usr/bin/import

# vi_start_program_with_audio PROGRAM DATA_DIR CAPTURE [ARGS...]: like
# vl_start_program, but the mixed sound goes into the raw file CAPTURE
# (SDL's disk driver writes it at the pace of a real sound card).
vi_start_program_with_audio() {
    local program=$1 data=$2 capture=$3
    shift 3
    (cd "$data" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$capture" exec "$program" "$@") \
        >"$VL_PROGRAM_LOG" 2>"$VL_PROGRAM_ERR" &
    VL_PROGRAM_PID=$!
}

# vi_point_into WINDOW_ID: there is no window manager, so keys go to the
# window under the pointer; put the pointer at the window's centre unless
# it is in the window already (moving it would change the aim).
vi_point_into() {
    local where
    where=$(timeout 5 xdotool getmouselocation --shell 2>/dev/null | sed -n 's/^WINDOW=//p')
    [ "$where" = "$1" ] && return 0
    timeout 5 xdotool mousemove --window "$1" 320 240
}

# vi_open_window SEED PROGRAM DATA_DIR [ARGS...]: the usual start of a test:
# a private Xvfb (unless this test has one already), the program started
# under it with VENNALOFT_SEED=SEED, its window in $window (without one the
# test ends as failed) and the pointer in it.
vi_open_window() {
    local seed=$1
    shift
    if [ -z "$VL_XVFB_PID" ]; then
        vl_start_xvfb || exit 1
    fi
    export VENNALOFT_SEED=$seed
    vl_start_program "$@"
    vl_require_window
    vi_point_into "$window"
}

# vi_tap_key WINDOW_ID KEY: one press and one release, as a finger would.
vi_tap_key() {
    [ -n "$1" ] || return 1
    vi_point_into "$1"
    timeout 5 xdotool keydown "$2"
    sleep 0.08
    timeout 5 xdotool keyup "$2"
    sleep 0.08
}

# vi_hold_key WINDOW_ID KEY SECONDS
vi_hold_key() {
    [ -n "$1" ] || return 1
    vi_point_into "$1"
    timeout 5 xdotool keydown "$2"
    sleep "$3"
    timeout 5 xdotool keyup "$2"
}

# vi_hold_button WINDOW_ID X Y BUTTON SECONDS: presses the button at the
# window point, keeps it down for the time, then lets go.
vi_hold_button() {
    [ -n "$1" ] || return 1
    timeout 5 xdotool mousemove --window "$1" "$2" "$3"
    timeout 5 xdotool mousedown "$4"
    sleep "$5"
    timeout 5 xdotool mouseup "$4"
}

# vi_shot WINDOW_ID FILE.png
vi_shot() {
    [ -n "$1" ] || return 1
    timeout 30 "$VI_IMPORT" -window "$1" "png:$2" 2>/dev/null
}

# vi_differing A.png B.png [FUZZ%]: number of pixels that differ at all
# (or by more than FUZZ).
vi_differing() {
    timeout 30 "$VI_COMPARE" -metric AE -fuzz "${3:-0%}" "$1" "$2" null: 2>&1 >/dev/null | awk '{print int($1)}'
}

# vi_fraction FILE WxH+X+Y CONDITION: fraction (0..1) of the region's
# pixels for which the awk CONDITION on r, g, b (0..1) holds, e.g.
# 'b > r + 0.04'. awk over the raw bytes: ImageMagick's -fx is ten times slower.
vi_fraction() {
    timeout 30 "$VI_CONVERT" "$1" -crop "$2" +repage -depth 8 rgb:- | od -An -v -tu1 -w3 |
        awk '{ r = $1 / 255; g = $2 / 255; b = $3 / 255; n++ }
             '"$3"' { c++ }
             END { printf "%.6f\n", n ? c / n : 0 }'
}

# vi_masked OUT IN WxH+X+Y...: a copy of IN with the regions painted black,
# for comparisons that must ignore those parts of the picture.
vi_masked() {
    local out=$1 in=$2 draw="" r w h x y
    shift 2
    for r in "$@"; do
        IFS='x+' read -r w h x y <<<"$r"
        draw="$draw rectangle $x,$y $((x + w - 1)),$((y + h - 1))"
    done
    timeout 30 "$VI_CONVERT" "$in" -fill black -draw "$draw" "png:$out"
}

# vi_holds EXPR: true when the awk expression (numbers already substituted)
# holds, e.g. vi_holds "$a > 2 * $b".
vi_holds() {
    awk "BEGIN {exit !($1)}"
}

# vi_wait_still WINDOW_ID PREFIX SECONDS [GAP]: polls until two screenshots
# taken GAP seconds apart (default 1) are identical; the still picture is
# left in PREFIX.png. Fails if the picture still changes when the time is up.
vi_wait_still() {
    local window=$1 prefix=$2 deadline=$((SECONDS + $3)) gap=${4:-1}
    vi_shot "$window" "$prefix.png" || return 1
    while [ "$SECONDS" -lt "$deadline" ]; do
        sleep "$gap"
        mv -f "$prefix.png" "$prefix.prev.png"
        vi_shot "$window" "$prefix.png" || return 1
        [ "$(vi_differing "$prefix.prev.png" "$prefix.png")" = 0 ] && return 0
    done
    return 1
}

# vi_poll_difference TEST WINDOW_ID REF.png OUT.png LIMIT SECONDS [FUZZ%]:
# polls until the count of pixels in which a screenshot differs from REF
# passes `[ count TEST LIMIT ]`; prints the count seen last.
vi_poll_difference() {
    local test=$1 window=$2 ref=$3 out=$4 limit=$5 deadline=$((SECONDS + $6)) fuzz=${7:-0%} n=0
    while :; do
        vi_shot "$window" "$out" || return 1
        n=$(vi_differing "$ref" "$out" "$fuzz")
        [ "$n" "$test" "$limit" ] && { echo "$n"; return 0; }
        [ "$SECONDS" -ge "$deadline" ] && { echo "$n"; return 1; }
        sleep 0.3
    done
}

# vi_wait_differs WINDOW_ID REF.png OUT.png MIN_PIXELS SECONDS [FUZZ%]:
# until the picture differs from REF in at least MIN_PIXELS pixels.
vi_wait_differs() { vi_poll_difference -ge "$@"; }

# vi_wait_matches WINDOW_ID REF.png OUT.png MAX_PIXELS SECONDS [FUZZ%]:
# until the picture differs from REF in at most MAX_PIXELS pixels.
vi_wait_matches() { vi_poll_difference -le "$@"; }

# vi_file_size FILE: bytes written so far (0 before the file exists).
vi_file_size() {
    stat -c %s "$1" 2>/dev/null || echo 0
}

# vi_nonzero_bytes FILE FROM TO: how many bytes in [FROM, TO) are not zero.
# The capture holds signed 16-bit samples, so silence is all zero bytes.
vi_nonzero_bytes() {
    local count=$(($3 - $2))
    [ "$count" -gt 0 ] || { echo 0; return 0; }
    tail -c +"$(($2 + 1))" "$1" | head -c "$count" | tr -d '\000' | wc -c
}
