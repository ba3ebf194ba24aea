#!/usr/bin/env bash
# The installed program: `cmake --install` into a temporary prefix puts every
# file in place (the desktop entry valid, the man page clean, the icons at
# their sizes), and the installed launcher, started from another folder,
# opens the textured window, which names itself to the desktop as the entry
# expects, passes its arguments on and ends with status 0 on Escape. The
# program itself still reads its files from the working directory.
# Usage: test_installed.sh BUILD_DIR
set -u

build=$(realpath "$1")
source "$(dirname "$0")/../window/lib.sh"

prefix="$VL_TMP/prefix with space"
if cmake --install "$build" --prefix "$prefix" >"$VL_TMP/install.log" 2>&1; then
    vl_pass "cmake --install into a temporary prefix"
else
    vl_fail "cmake --install failed"
    cat "$VL_TMP/install.log"
    vl_finish
fi

for name in marble.bmp spark.bmp boden.bmp wand.bmp sky.bmp flare.bmp Laser.wav bounce.wav Explode.wav yeah.wav; do
    cmp -s "$build/data/$name" "$prefix/share/vennaloft/$name" || vl_fail "share/vennaloft/$name not the generated file"
done
vl_check "ten data files in share/vennaloft" test "$(ls "$prefix/share/vennaloft" | wc -l)" -eq 10
vl_check "launcher bin/vennaloft is executable" test -x "$prefix/bin/vennaloft"
vl_check "desktop entry valid" desktop-file-validate "$prefix/share/applications/vennaloft.desktop"
vl_check "desktop entry starts the launcher" grep -qx 'Exec=vennaloft' "$prefix/share/applications/vennaloft.desktop"
for size in 16 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/vennaloft.png"
    [ "$(timeout 30 "$VL_CONVERT" "$icon" -format '%m %wx%h' info:)" = "PNG ${size}x${size}" ] ||
        vl_fail "$icon is not a ${size}x${size} PNG"
done
vl_check "scalable icon installed" test -s "$prefix/share/icons/hicolor/scalable/apps/vennaloft.svg"
man_page="$VL_TMP/vennaloft.6"
zcat "$prefix/share/man/man6/vennaloft.6.gz" >"$man_page"
man_warnings=$(groff -man -ww -z -Tutf8 "$man_page" 2>&1)
vl_check "man page formats without warnings" test -z "$man_warnings"
[ -z "$man_warnings" ] || echo "$man_warnings"
vl_check "man page names the installed data folder" grep -qF "$prefix/share/vennaloft" "$man_page"
for word in -nr -radius Escape F8 marble.bmp Laser.wav; do
    grep -qF -- "$word" "$man_page" || vl_fail "man page does not mention $word"
done

vl_start_xvfb || exit 1
export VENNALOFT_SEED=12345
elsewhere="$VL_TMP/elsewhere"
mkdir -p "$elsewhere"

# From a folder without any data files, through the launcher.
vl_start_program "$prefix/bin/vennaloft" "$elsewhere"
vl_require_window
sleep 2
shot="$VL_TMP/installed.png"
vl_screenshot "$window" "$shot"
colours=$(vl_region_colours "$shot" 200x200+220+140)
if [ "$colours" -gt 200 ]; then
    vl_pass "installed launcher shows the textured room ($colours colours)"
else
    vl_fail "room centre has only $colours colours"
fi
# The dock matches the window to the desktop entry by WM_CLASS, and to the
# process by _NET_WM_PID (the launcher hands its own process over).
wm_class=$(timeout 10 xprop -id "$window" WM_CLASS)
entry_class=$(sed -n 's/^StartupWMClass=//p' "$prefix/share/applications/vennaloft.desktop")
vl_check "WM_CLASS \"vennaloft\", \"$entry_class\" as the desktop entry says ($wm_class)" \
    test "$wm_class" = "WM_CLASS(STRING) = \"vennaloft\", \"$entry_class\""
wm_pid=$(timeout 10 xprop -id "$window" _NET_WM_PID)
vl_check "_NET_WM_PID is the program's ($wm_pid)" test "$wm_pid" = "_NET_WM_PID(CARDINAL) = $VL_PROGRAM_PID"
# The title bar and the switcher take the icon from _NET_WM_ICON: four sizes.
icons=$(timeout 10 xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
vl_check "_NET_WM_ICON holds the icon at 16, 32, 48 and 64 pixels ($icons)" \
    test "$icons" = "Icon (16 x 16) Icon (32 x 32) Icon (48 x 48) Icon (64 x 64) "
vl_quit_with_escape
vl_check "nothing on standard output" test ! -s "$VL_PROGRAM_LOG"

# Arguments reach the program: GLUT's own -display option with a display
# that has no server makes it fail with freeglut's message.
vl_start_program "$prefix/bin/vennaloft" "$elsewhere" -display :999
vl_wait_exit 20
vl_check "launcher passes its arguments on (-display :999 gives status 1)" test "$VL_EXIT_STATUS" = 1
vl_check "freeglut names the display it was given" grep -q ":999" "$VL_PROGRAM_ERR"

# The program itself reads the working directory, as before.
vl_start_program "$prefix/libexec/vennaloft/vennaloft" "$elsewhere"
vl_wait_exit 20
vl_check "installed program in an empty folder: status 1" test "$VL_EXIT_STATUS" = 1
vl_check "and 'File Not Found : marble.bmp'" test "$(cat "$VL_PROGRAM_LOG")" = "File Not Found : marble.bmp"

vl_finish
