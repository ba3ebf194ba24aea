#!/usr/bin/env bash
# Sound never stops the program. Cue files that are missing, empty, cut
# short, not sound at all, a folder or a named pipe, an audio driver that
# does not exist, one that cannot open its device and ALSA without its sound
# card: each time the program runs on silently while the left button fires
# (and asks for Laser.wav on every step), says so in one line on standard
# error per bad cue file or one line for the device, and Escape ends it with
# status 0.
# SDL's disk driver records what would have been heard, so "silently" is
# measured; a first run with good files shows the recording is not always
# silence.
# Usage: test_bad_sound.sh PROGRAM DATA_DIR
set -u

program=$(realpath "$1")
data=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

vl_start_xvfb || exit 1
export VENNALOFT_SEED=12345

work="$VL_TMP/data"
mkdir -p "$work"
recording="$VL_TMP/audio.raw"
export SDL_DISKAUDIOFILE="$recording"

restore_cues() {
    cp "$data"/*.wav "$work"/
}
cp "$data"/* "$work"/

# fire_for_a_while DRIVER: starts the program with the driver, holds the left
# button down over the room for most of a second, and leaves the
# program running. Sets WINDOW (empty when no window came).
fire_for_a_while() {
    rm -f "$recording"
    VL_AUDIODRIVER=$1 vl_start_program "$program" "$work"
    WINDOW=$(vl_wait_window 20)
    [ -n "$WINDOW" ] || return 1
    vl_hold_button "$WINDOW" 320 200 1 0.8
    sleep 0.2
}

# program_errors: standard error less the disk driver's own two-line
# notice about itself.
program_errors() {
    grep -v -e '^CRITICAL: You are using the SDL disk i/o audio driver' -e '^CRITICAL:  Writing to file' \
        "$VL_PROGRAM_ERR"
}

# audio_state: "silent", "sound" or "none" (nothing recorded).
audio_state() {
    [ -s "$recording" ] || { echo none; return; }
    if [ "$(tr -d '\000' <"$recording" | head -c 1 | wc -c)" -eq 0 ]; then echo silent; else echo sound; fi
}

# finish_run WHAT WANT_AUDIO STDERR_PATTERN [LINES]: checks the run that
# fire_for_a_while began: still running, at most LINES (default 1) lines on
# standard error (matching the pattern when one is given), nothing on
# standard output, the recording as wanted, Escape gives 0.
finish_run() {
    local what=$1 want_audio=$2 pattern=$3 max_lines=${4:-1} problems=""
    if [ -z "$WINDOW" ]; then
        vl_wait_exit 5
        vl_fail "$what: no window; program is $VL_EXIT_STATUS"
        vl_show_program_output
        vl_stop "$VL_PROGRAM_PID"
        return
    fi
    vl_program_running || problems="$problems ended while firing;"
    local audio
    audio=$(audio_state)
    [ "$audio" = "$want_audio" ] || problems="$problems recording is $audio, want $want_audio;"
    vl_send_key "$WINDOW" Escape
    vl_wait_exit 10
    [ "$VL_EXIT_STATUS" = 0 ] || problems="$problems after Escape $VL_EXIT_STATUS;"
    [ -s "$VL_PROGRAM_LOG" ] && problems="$problems standard output not empty;"
    local lines
    lines=$(program_errors | wc -l)
    [ "$lines" -le "$max_lines" ] || problems="$problems $lines lines on standard error;"
    if [ -n "$pattern" ]; then
        program_errors | grep -q "$pattern" || problems="$problems no '$pattern' on standard error;"
    else
        [ "$lines" -eq 0 ] || problems="$problems standard error not empty;"
    fi
    if [ -z "$problems" ]; then
        vl_pass "$what: runs on ($audio), $lines line(s) on standard error, Escape gives 0"
    else
        vl_fail "$what:$problems"
        vl_show_program_output
        vl_stop "$VL_PROGRAM_PID"
    fi
    rm -rf "$work"/*.wav
    restore_cues
}

# Good files: the laser is heard.
fire_for_a_while disk
finish_run "good cues" sound ""

# A bad file of every kind at once: each is named once at start-up, not
# once per cue asked for.
rm -f "$work/Laser.wav"
: >"$work/bounce.wav"
cp "$data/marble.bmp" "$work/Explode.wav"
head -c 40 "$data/yeah.wav" >"$work/yeah.wav"
fire_for_a_while disk
finish_run "Laser.wav missing, the others broken" silent "Sound: cannot load Laser.wav" 4
for name in bounce.wav Explode.wav yeah.wav; do
    vl_check "$name named on standard error" grep -q "Sound: cannot load $name" "$VL_PROGRAM_ERR"
done

# A named pipe or a folder in place of the cue: a plain open() of the pipe
# would wait for a writer for ever, and the first shot would hang the program.
rm -f "$work/Laser.wav"
mkfifo "$work/Laser.wav"
fire_for_a_while disk
finish_run "Laser.wav a named pipe" silent "Sound: cannot load Laser.wav (not a regular file)"

rm -f "$work/Laser.wav"
mkdir "$work/Laser.wav"
fire_for_a_while disk
finish_run "Laser.wav a folder" silent "Sound: cannot load Laser.wav (not a regular file)"

: >"$work/Laser.wav"
fire_for_a_while disk
finish_run "Laser.wav empty" silent "Sound: cannot load Laser.wav"

cp "$data/sky.bmp" "$work/Laser.wav"
fire_for_a_while disk
finish_run "Laser.wav not sound at all" silent "Sound: cannot load Laser.wav"

# RIFF and WAVE in place, but a format of 0 channels at 0 samples a second.
{
    printf 'RIFF\x24\x10\x00\x00WAVEfmt \x10\x00\x00\x00'
    printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x10\x00'
    printf 'data\x00\x10\x00\x00'
    head -c 4096 /dev/zero
} >"$work/Laser.wav"
fire_for_a_while disk
finish_run "Laser.wav with an impossible format" silent "Sound: cannot load Laser.wav"

# The header promises more sound than the file holds: SDL may play what is
# there, or refuse it; either way the program goes on.
head -c 300 "$data/Laser.wav" >"$work/Laser.wav"
fire_for_a_while disk
if [ "$(program_errors | wc -l)" -gt 0 ]; then
    finish_run "Laser.wav cut short" silent "Sound: cannot load Laser.wav"
else
    finish_run "Laser.wav cut short" sound ""
fi

# No such driver, and a driver whose device cannot be opened.
fire_for_a_while nosuchdriver
finish_run "audio driver that does not exist" none "Sound: no audio device"

SDL_DISKAUDIOFILE="$VL_TMP/no/such/folder/audio.raw"
fire_for_a_while disk
finish_run "audio device that cannot be opened" none "Sound: cannot open the audio device"

# ALSA sent to a card that does not exist, as on a machine without sound:
# only our line, none of ALSA's own.
export ALSA_CARD=NoSuchCardForVennaloft
fire_for_a_while alsa
finish_run "ALSA without its sound card" none "Sound: cannot open the audio device"
unset ALSA_CARD

vl_finish
