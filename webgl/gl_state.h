#pragma once

// The GL state the emulation cannot report or ignores, kept here: which
// capabilities are on (GL_COLOR_MATERIAL among them), the colour material
// mode, blending, depth writes, line and point size and the matrix mode.
// The attribute stack saves and restores it.

#include <GL/gl.h>

bool capabilityEnabled(GLenum cap);

// The material parameter the current colour feeds, or 0 when colour
// material is off.
GLenum colorMaterialParameter();

struct TrackedState {
    unsigned enabledBits = 0;  // one bit per capability in the tracked list
    GLenum blendSource = GL_ONE;
    GLenum blendDestination = GL_ZERO;
    GLboolean depthMask = GL_TRUE;
    GLfloat lineWidth = 1.0f;
    GLfloat pointSize = 1.0f;
    GLenum matrixMode = GL_MODELVIEW;
};
TrackedState& trackedState();

// Sets the real GL state to `wanted` for the parts `mask` (glPushAttrib bits) covers.
void restoreTrackedState(const TrackedState& wanted, GLbitfield mask);
