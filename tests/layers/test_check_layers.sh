#!/usr/bin/env bash
# The layer check must catch what it exists for: an include from a later
# folder, GL below webgl/, a unit test reaching above its layer, and the
# live simulation named below app/ (not fooled by comments or strings); and
# pass a tree that keeps the order.
set -euo pipefail
check="$1"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

mkdir -p "$tree"/{platform,physics,scene,assets,webgl,render,app,tests/unit/input}
printf '#include "platform/clock.h"\n#include <cmath>\n' > "$tree/physics/step.cpp"
printf '// sim.balls /* sim */\nint f(Simulation& s) { return s.n; } /* sim.\n sim */ const char* t = "sim.n";\n' > "$tree/physics/sim_free.cpp"
printf 'Simulation sim;\n' > "$tree/app/live.cpp"
printf '#include "scene/scene_state.h"\n#include <GL/gl.h>\n' > "$tree/render/draw.cpp"
printf '#include "render/draw.h"\n' > "$tree/app/main.cpp"
printf '#include "assets/images.h"\n#include <GL/gl.h>\n' > "$tree/webgl/lists.cpp"
if ! out=$(bash "$check" "$tree"); then
    echo "FAIL: a layered tree was refused:"; echo "$out"; exit 1
fi

printf '#include "app/main.h"\n' >> "$tree/physics/step.cpp"
printf '#include <GL/glu.h>\n' > "$tree/scene/layout.cpp"
printf '#include "webgl/lists.h"\n#include <GL/gl.h>\n' > "$tree/assets/images.cpp"
printf '#include "physics/step.h"\n' > "$tree/tests/unit/input/keys_test.cpp"
printf 'int g() {\n    return sim.n; // s\n}\n' > "$tree/scene/layout.h"
printf '/* a */ extern Simulation live;\n' > "$tree/render/live.h"
status=0
out=$(bash "$check" "$tree") || status=$?
fails=0
[ "$status" -eq 1 ] || { echo "FAIL: exit status $status, want 1"; fails=1; }
for want in 'physics/step.cpp:3: includes "app/main.h" from a later layer (app)' \
            'scene/layout.cpp:1: includes <GL/glu.h> below webgl/' \
            'assets/images.cpp:1: includes "webgl/lists.h" from a later layer (webgl)' \
            'assets/images.cpp:2: includes <GL/gl.h> below webgl/' \
            'tests/unit/input/keys_test.cpp:1: includes "physics/step.h" from a later layer (physics)' \
            'scene/layout.h:2: uses the live simulation below app/' \
            'render/live.h:1: uses the live simulation below app/'; do
    grep -qF "$want" <<<"$out" || { echo "FAIL: not reported: $want"; fails=1; }
done
lines=$(grep -c "live simulation" <<<"$out" || true)
[ "$lines" -eq 2 ] || { echo "FAIL: $lines live simulation lines, want 2"; fails=1; }
[ "$fails" -eq 0 ] || { echo "$out"; exit 1; }
echo "layer check: passes the layered tree, reports all seven faults"
