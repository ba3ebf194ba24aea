#!/usr/bin/env bash
# `make package`'s .deb, built with CPack into a temporary folder: the
# program, launcher, ten data files, desktop entry, icon and man page under
# /usr, and Depends naming the libraries the program runs on.
# Usage: test_package.sh BUILD_DIR
set -u

build=$(realpath "$1")
tmp=$(mktemp -d /tmp/vl_package.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
failures=0
passed=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
        passed=$((passed + 1))
    else
        echo "FAIL: $what"
        failures=$((failures + 1))
    fi
}

if ! (cd "$build" && cpack -G DEB -B "$tmp") >"$tmp/cpack.log" 2>&1; then
    echo "FAIL: cpack"
    cat "$tmp/cpack.log"
    exit 1
fi
deb=$(ls "$tmp"/*.deb)
check "one .deb built" test "$(echo "$deb" | wc -l)" -eq 1

check "package name" test "$(dpkg-deb -f "$deb" Package)" = vennaloft
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libglut libglu libsdl2-mixer; do
    check "depends on $library" grep -q "$library" <<<"$depends"
done

dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort >"$tmp/contents"
{
    echo ./usr/bin/vennaloft
    echo ./usr/bin/vl_replay
    echo ./usr/libexec/vennaloft/vennaloft
    echo ./usr/share/applications/vennaloft.desktop
    echo ./usr/share/icons/hicolor/48x48/apps/vennaloft.png
    echo ./usr/share/man/man6/vennaloft.6
    for name in marble.bmp spark.bmp boden.bmp wand.bmp sky.bmp flare.bmp Laser.wav bounce.wav Explode.wav yeah.wav; do
        echo "./usr/share/vennaloft/$name"
    done
} | sort >"$tmp/wanted"
check "contents are exactly the installed files" diff "$tmp/wanted" "$tmp/contents"
check "program and launcher executable" test "$(dpkg-deb -c "$deb" | grep -c '^-rwxr-xr-x root/root .*/vennaloft$')" -eq 2

mkdir "$tmp/tree"
dpkg-deb -x "$deb" "$tmp/tree"
check "desktop entry valid" desktop-file-validate "$tmp/tree/usr/share/applications/vennaloft.desktop"
check "man page names /usr/share/vennaloft" grep -qx '\.I /usr/share/vennaloft' "$tmp/tree/usr/share/man/man6/vennaloft.6"
check "program stripped" sh -c "file '$tmp/tree/usr/libexec/vennaloft/vennaloft' | grep -q ', stripped'"

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
