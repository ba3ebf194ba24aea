#!/usr/bin/env bash
# Every texture image that cannot be used ends start-up the same way: one
# line on standard output naming the file and the fault, nothing on
# standard error, exit status 1, and no crash. Each of the six images is
# tried missing, empty, cut short and with impossible header fields, in a
# copy of the data folder where only that one file is bad.
# Usage: test_bad_images.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

vl_start_xvfb || exit 1

# The working folder links to the real files; a bad file replaces one link.
work="$VL_TMP/data"
mkdir -p "$work"
ln -s "$data"/* "$work"/
restore() { rm -f "$work/$1"; ln -s "$data/$1" "$work/$1"; }

# le32 N / le16 N: little-endian bytes of a (possibly negative) number.
le32() {
    local v=$(($1 & 0xffffffff))
    printf "\\x$(printf %02x $((v & 255)))\\x$(printf %02x $((v >> 8 & 255)))"
    printf "\\x$(printf %02x $((v >> 16 & 255)))\\x$(printf %02x $((v >> 24 & 255)))"
}
le16() {
    printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"
}

# bmp_header WIDTH HEIGHT PLANES BITS: the 54 bytes in front of the pixels.
bmp_header() {
    local w=$1 h=$2 planes=$3 bits=$4
    printf 'BM'
    le32 $((54 + w * h * bits / 8)); le32 0; le32 54; le32 40
    le32 "$w"; le32 "$h"; le16 "$planes"; le16 "$bits"
    le32 0; le32 $((w * h * bits / 8)); le32 2835; le32 2835; le32 0; le32 0
}

# write_bad KIND FILE: a bad image of that kind. Most do not depend on the
# name, so they are made once, below.
write_bad() {
    local kind=$1 file=$2
    case "$kind" in
        empty) : >"$file" ;;
        header-only) bmp_header 64 64 1 24 >"$file" ;;
        short-pixels) { bmp_header 64 64 1 24; head -c 1000 /dev/zero; } >"$file" ;;
        8-bit) { bmp_header 64 64 1 8; head -c $((256 * 4 + 64 * 64)) /dev/zero; } >"$file" ;;
        32-bit) { bmp_header 64 64 1 32; head -c $((64 * 64 * 4)) /dev/zero; } >"$file" ;;
        planes-0) { bmp_header 64 64 0 24; head -c $((64 * 64 * 3)) /dev/zero; } >"$file" ;;
        zero-width) { bmp_header 0 64 1 24; head -c 100 /dev/zero; } >"$file" ;;
        wide) { bmp_header 100000 64 1 24; head -c 100 /dev/zero; } >"$file" ;;
        tall-top-down) { bmp_header 64 -100000 1 24; head -c 100 /dev/zero; } >"$file" ;;
        # Each side allowed, but 768 MiB of pixels that are not there.
        huge-area) { bmp_header 16384 16384 1 24; head -c 100 /dev/zero; } >"$file" ;;
        # width * height * 3 wraps round 32 bits to a small number.
        wrapping-area) { bmp_header 65536 65536 1 24; head -c 100 /dev/zero; } >"$file" ;;
    esac
}

# make_bad NAME KIND: replaces the link to NAME with a file of that kind.
make_bad() {
    local name=$1 kind=$2 file="$work/$1"
    rm -f "$file"
    case "$kind" in
        missing) ;;
        cut-in-header) head -c 24 "$data/$name" >"$file" ;;
        *) cp "$VL_TMP/bad.$kind" "$file" ;;
    esac
}

# expected_line NAME KIND: the one line the program must print.
expected_line() {
    local name=$1
    case "$2" in
        missing) echo "File Not Found : $name" ;;
        8-bit) echo "Bpp from $name is not 24: 8" ;;
        32-bit) echo "Bpp from $name is not 24: 32" ;;
        planes-0) echo "Planes from $name is not 1: 0" ;;
        wide) echo "Image size from $name is not supported: 100000 x 64" ;;
        tall-top-down) echo "Image size from $name is not supported: 64 x -100000" ;;
        wrapping-area) echo "Image size from $name is not supported: 65536 x 65536" ;;
        *) echo "Error reading image data from $name." ;;
    esac
}

images="marble.bmp spark.bmp boden.bmp wand.bmp sky.bmp flare.bmp"
kinds="missing empty header-only cut-in-header short-pixels 8-bit 32-bit planes-0 zero-width wide tall-top-down huge-area wrapping-area"
for kind in $kinds; do write_bad "$kind" "$VL_TMP/bad.$kind"; done

for name in $images; do
    failed_here=0
    for kind in $kinds; do
        make_bad "$name" "$kind"
        vl_start_program "$program" "$work"
        vl_wait_exit 20
        expected=$(expected_line "$name" "$kind")
        # Exactly the line and its line break, nothing else on either stream.
        if [ "$VL_EXIT_STATUS" = "1" ] && cmp -s <(printf '%s\n' "$expected") "$VL_PROGRAM_LOG" &&
            [ ! -s "$VL_PROGRAM_ERR" ]; then
            VL_PASSED=$((VL_PASSED + 1))
        else
            [ "$VL_EXIT_STATUS" = running ] && vl_stop "$VL_PROGRAM_PID"
            vl_fail "$name $kind: status $VL_EXIT_STATUS, want 1 and '$expected'"
            vl_show_program_output
            failed_here=1
        fi
        restore "$name"
    done
    [ "$failed_here" = 0 ] && echo "ok: $name: each of the $(wc -w <<<"$kinds") faults reported, status 1"
done

# A real 32-bit picture in place of the last file: the five before it load,
# then its message alone, byte for byte.
rm -f "$work/flare.bmp"
{ bmp_header 256 256 1 32; head -c $((256 * 256 * 4)) "$data/sky.bmp"; } >"$work/flare.bmp"
vl_start_program "$program" "$work"
vl_wait_exit 20
if [ "$VL_EXIT_STATUS" = "1" ] && cmp "$VL_PROGRAM_LOG" <(printf 'Bpp from flare.bmp is not 24: 32\n'); then
    vl_pass "32-bit flare.bmp: exactly 'Bpp from flare.bmp is not 24: 32\\n', status 1"
else
    vl_fail "32-bit flare.bmp: status $VL_EXIT_STATUS"
    od -c "$VL_PROGRAM_LOG" | head
fi
restore flare.bmp

vl_finish
