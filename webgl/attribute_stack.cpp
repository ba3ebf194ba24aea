#define VL_WEBGL_NO_RENAMING
#include <GL/gl.h>

#include <vector>

#include "webgl/gl_state.h"
#include "webgl/immediate_mode.h"

// glPushAttrib/glPopAttrib for the groups the program saves: enables,
// current colour and normal, blending, depth, transform, line and point.

namespace {

struct SavedAttributes {
    GLbitfield mask;
    TrackedState state;
    CurrentAttributes current;
};

std::vector<SavedAttributes> stack;

}  // namespace

extern "C" {

void glPushAttrib(GLbitfield mask) { stack.push_back({mask, trackedState(), currentAttributes()}); }

void glPopAttrib(void) {
    if (stack.empty()) return;
    const SavedAttributes saved = stack.back();
    stack.pop_back();
    restoreTrackedState(saved.state, saved.mask);
    if (saved.mask & GL_CURRENT_BIT) currentAttributes() = saved.current;
}

}  // extern "C"
