#!/usr/bin/env bash
# The .deb, built with CPack into a temporary folder: Debian's games layout
# under /usr (launcher in games/, program in lib/games/, data in
# share/games/), the desktop entry, icons, man page, copyright and
# changelog; Depends naming the libraries the program runs on; the program
# carrying the package's version; and lintian finding no error or warning.
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
for library in libglut libglu libsdl2-mixer libstb; do
    check "depends on $library" grep -q "$library" <<<"$depends"
done

dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort >"$tmp/contents"
{
    echo ./usr/games/vennaloft
    echo ./usr/games/vl_replay
    echo ./usr/lib/games/vennaloft/vennaloft
    echo ./usr/share/applications/vennaloft.desktop
    for size in 16 32 48 64 128 256; do
        echo "./usr/share/icons/hicolor/${size}x${size}/apps/vennaloft.png"
    done
    echo ./usr/share/icons/hicolor/scalable/apps/vennaloft.svg
    echo ./usr/share/man/man6/vennaloft.6.gz
    echo ./usr/share/man/man6/vl_replay.6.gz
    echo ./usr/share/doc/vennaloft/copyright
    echo ./usr/share/doc/vennaloft/changelog.gz
    for name in marble.bmp spark.bmp boden.bmp wand.bmp sky.bmp flare.bmp Laser.wav bounce.wav Explode.wav yeah.wav; do
        echo "./usr/share/games/vennaloft/$name"
    done
} | sort >"$tmp/wanted"
check "contents are exactly the installed files" diff "$tmp/wanted" "$tmp/contents"
check "program and launcher executable" test "$(dpkg-deb -c "$deb" | grep -c '^-rwxr-xr-x root/root .*/vennaloft$')" -eq 2

mkdir "$tmp/tree"
dpkg-deb -x "$deb" "$tmp/tree"
check "man page names /usr/share/games/vennaloft" sh -c "zcat '$tmp/tree/usr/share/man/man6/vennaloft.6.gz' | grep -qx '\\.I /usr/share/games/vennaloft'"
launcher=$(cat "$tmp/tree/usr/games/vennaloft")
check "launcher goes to ../share/games/vennaloft" grep -q 'share/games/vennaloft' <<<"$launcher"
check "launcher starts ../lib/games/vennaloft/vennaloft" grep -q 'lib/games/vennaloft/vennaloft' <<<"$launcher"
version=$(env -u DISPLAY "$tmp/tree/usr/lib/games/vennaloft/vennaloft" --version)
check "program says the package's version ($version)" test "$version" = "vennaloft $(dpkg-deb -f "$deb" Version)"

lintian --pedantic "$deb" >"$tmp/lintian.log" 2>&1
sed 's/^/lintian: /' "$tmp/lintian.log"
check "lintian --pedantic: no error, no warning" sh -c "! grep -q '^[EW]: ' '$tmp/lintian.log'"

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
