#!/usr/bin/env bash
# Builds the browser version with Debian's emscripten into OUT (default
# build/web): index.html, page.js, vennaloft.js/.wasm/.data (the six
# textures and four cues, made by our generator), the service worker, the
# web app manifest with the generator's icons, and vl_soak.js, vl_replay.js
# and vl_trig_values.js: the soak, the recording check and the sine and
# cosine check for node. The simulation
# sources are compiled as they are; GL, GLU and GLUT calls the toolchain's
# emulation lacks or gets wrong go to webgl/.
#
#   scripts/build_web.sh [OUT]      (the GL layer's check page goes to OUT-checks)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(mkdir -p "${1:-$root/build/web}" && cd "${1:-$root/build/web}" && pwd)"
# Objects and the generated data files stay beside the site, not in it.
obj="$out-obj"
data="$obj/data"
mkdir -p "$obj" "$data"

# Debian keeps the compiler's JavaScript helpers where Node does not look.
export NODE_PATH=/usr/share/nodejs

flags=(-std=c++17 -O3 -Wall -Wextra -ffp-contract=off -fno-fast-math -I"$root")
# Only the browser program's GL includes go through webgl/'s wrappers.
gl_flags=(-I"$root/webgl/include")

simulation=(platform/clock.cpp platform/random_source.cpp platform/sound.cpp
    geometry/*.cpp scene/*.cpp effects/*.cpp input/*.cpp physics/*.cpp lab/*.cpp assets/*.cpp app/headless_scene.cpp
    app/session.cpp app/recording_file.cpp app/start_up.cpp app/live_readings.cpp app/step_pacing.cpp)
# The window's Dear ImGui panels and the paths they come with are the
# desktop's alone (Debian ships no ImGui sources to compile for the
# browser); the page keeps its own.
drawing=(platform/web_cue_player.cpp webgl/*.cpp
    $(ls render/*.cpp | grep -v -e '^render/window_panels_drawing\.cpp$')
    app/web_main.cpp app/scene_start.cpp app/glut_callbacks.cpp app/pick_ray.cpp app/ball_hands.cpp app/web_screenshot_saving.cpp)

# Two compilers at a time; an object is rebuilt when its source or any
# header of the project is newer than it.
objects=()
pids=()
compile() {  # source, extra flags...
    local source="$1"; shift
    local object="$obj/${source//\//_}.o"
    objects+=("$object")
    if [ "$object" -nt "$root/$source" ] &&
        [ -z "$(find "$root" -path "$root/build*" -prune -o -name '*.h' -newer "$object" -print -quit)" ]; then
        return
    fi
    if [ ${#pids[@]} -ge 2 ]; then
        wait "${pids[0]}"
        pids=("${pids[@]:1}")
    fi
    em++ "${flags[@]}" "$@" -c "$root/$source" -o "$object" &
    pids+=($!)
}
finish_compiling() {
    local pid
    for pid in "${pids[@]}"; do wait "$pid"; done
    pids=()
}

cd "$root"
# The desktop's text font as a table for webgl/bitmap_text.cpp, from the
# freeglut the desktop build uses.
g++ -std=c++17 -O2 -Wall -Wextra tools/font_table.cpp -lglut -o "$obj/font_table"
"$obj/font_table" "$obj/font_8x13.inc.new"
if ! cmp -s "$obj/font_8x13.inc.new" "$obj/font_8x13.inc"; then mv "$obj/font_8x13.inc.new" "$obj/font_8x13.inc"; fi
rm -f "$obj/font_8x13.inc.new"
gl_flags+=(-I"$obj")

for s in "${simulation[@]}"; do compile "$s"; done
finish_compiling
sim_o=("${objects[@]}")
objects=()
for s in "${drawing[@]}"; do compile "$s" "${gl_flags[@]}"; done
finish_compiling
draw_o=("${objects[@]}")

# The data files, from the same generator as the desktop's.
g++ -std=c++17 -O2 -I"$root" tools/make_assets.cpp assets/png_writer.cpp assets/atomic_file.cpp assets/icon_image.cpp -o "$obj/make_assets"
"$obj/make_assets" "$data" >/dev/null
preload=()
for f in marble.bmp spark.bmp boden.bmp wand.bmp sky.bmp flare.bmp Laser.wav bounce.wav Explode.wav yeah.wav; do
    preload+=(--preload-file "$data/$f@/$f")
done

# One factory, createVennaloft(options), so that the page can start a fresh
# program after Escape without reloading.
link_flags=(-O3 -sASSERTIONS=0 -sENVIRONMENT=web -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1
    -sLEGACY_GL_EMULATION=1 -sGL_FFP_ONLY=0 -sINVOKE_RUN=1
    -sMODULARIZE=1 -sEXPORT_NAME=createVennaloft
    -sEXPORTED_RUNTIME_METHODS=UTF8ToString,FS_createDataFile,FS_unlink
    --pre-js "$root/webgl/lighting_fix.js")
em++ "${flags[@]}" "${link_flags[@]}" "${sim_o[@]}" "${draw_o[@]}" "${preload[@]}" -o "$out/vennaloft.js"
cp "$root/web/index.html" "$root/web/page.js" "$root/web/service-worker.js" "$root/web/manifest.webmanifest" "$out/"
cp "$data/vennaloft-32.png" "$data/vennaloft-128.png" "$data/vennaloft-256.png" "$data/vennaloft.svg" "$out/"

# The headless tools under node, each linked alone with the simulation.
node_flags=(-O3 -sASSERTIONS=0 -sENVIRONMENT=node -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)
# The soak, for the comparison with the desktop build.
em++ "${flags[@]}" "${node_flags[@]}" "${sim_o[@]}" "$root/tools/soak.cpp" -o "$out/vl_soak.js"
# vl_replay, reading the real disk, for the same comparison.
em++ "${flags[@]}" "${node_flags[@]}" -sNODERAWFS=1 "${sim_o[@]}" "$root/tools/vl_replay.cpp" -o "$out/vl_replay.js"
# Our sine and cosine beside emscripten's libc, for scripts/check_trig.sh.
em++ "${flags[@]}" "${node_flags[@]}" -sNODERAWFS=1 "${sim_o[@]}" "$root/tools/trig_values.cpp" \
    -o "$out/vl_trig_values.js"

# The GL layer's own checks, a page of their own beside the demo's folder.
checks="$out-checks"
mkdir -p "$checks"
webgl_o=()
for o in "${draw_o[@]}"; do case "$o" in */webgl_*) webgl_o+=("$o");; esac; done
em++ "${flags[@]}" "${gl_flags[@]}" -O3 -sASSERTIONS=0 -sENVIRONMENT=web -sEXIT_RUNTIME=1 -sLEGACY_GL_EMULATION=1 \
    --pre-js "$root/webgl/lighting_fix.js" "$root/tests/web/compat_check.cpp" "${webgl_o[@]}" -o "$checks/compat_check.js"
cp "$root/tests/web/compat_check.html" "$checks/"

echo "page built in $out"
