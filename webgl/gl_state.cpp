#define VL_WEBGL_NO_RENAMING
#include "webgl/gl_state.h"

namespace {

// The capabilities the program switches, each with its bit in enabledBits.
constexpr GLenum kTrackedCaps[] = {GL_LIGHTING, GL_LIGHT0,     GL_TEXTURE_2D, GL_DEPTH_TEST,    GL_CULL_FACE,
                                   GL_BLEND,    GL_CLIP_PLANE0, GL_COLOR_MATERIAL, GL_NORMALIZE};
constexpr int kTrackedCount = sizeof kTrackedCaps / sizeof kTrackedCaps[0];

TrackedState state;
GLenum colorMaterialMode = GL_AMBIENT_AND_DIFFUSE;

int bitOf(GLenum cap) {
    for (int i = 0; i < kTrackedCount; ++i)
        if (kTrackedCaps[i] == cap) return i;
    return -1;
}

// The emulation knows nothing of these; they live only here.
bool onlyTrackedHere(GLenum cap) { return cap == GL_COLOR_MATERIAL || cap == GL_NORMALIZE; }

void setCapability(GLenum cap, bool on) {
    const int bit = bitOf(cap);
    if (bit >= 0) {
        if (on) {
            state.enabledBits |= 1u << bit;
        } else {
            state.enabledBits &= ~(1u << bit);
        }
    }
    if (onlyTrackedHere(cap)) return;
    if (on) {
        glEnable(cap);
    } else {
        glDisable(cap);
    }
}

}  // namespace

bool capabilityEnabled(GLenum cap) {
    const int bit = bitOf(cap);
    return bit >= 0 && (state.enabledBits & (1u << bit)) != 0;
}

GLenum colorMaterialParameter() { return capabilityEnabled(GL_COLOR_MATERIAL) ? colorMaterialMode : 0; }

TrackedState& trackedState() { return state; }

void restoreTrackedState(const TrackedState& wanted, GLbitfield mask) {
    unsigned capsToRestore = 0;
    if (mask & GL_ENABLE_BIT) capsToRestore = ~0u;
    for (int i = 0; i < kTrackedCount; ++i) {
        const GLenum cap = kTrackedCaps[i];
        bool covered = (capsToRestore & (1u << i)) != 0;
        if (cap == GL_BLEND && (mask & GL_COLOR_BUFFER_BIT)) covered = true;
        if (cap == GL_DEPTH_TEST && (mask & GL_DEPTH_BUFFER_BIT)) covered = true;
        if (cap == GL_CLIP_PLANE0 && (mask & GL_TRANSFORM_BIT)) covered = true;
        if (cap == GL_LIGHTING && (mask & GL_LIGHTING_BIT)) covered = true;
        if (!covered) continue;
        const bool want = (wanted.enabledBits & (1u << i)) != 0;
        if (want != capabilityEnabled(cap)) setCapability(cap, want);
    }
    if (mask & GL_COLOR_BUFFER_BIT) vlBlendFunc(wanted.blendSource, wanted.blendDestination);
    if (mask & GL_DEPTH_BUFFER_BIT) vlDepthMask(wanted.depthMask);
    if (mask & GL_LINE_BIT) vlLineWidth(wanted.lineWidth);
    if (mask & GL_POINT_BIT) vlPointSize(wanted.pointSize);
    if (mask & GL_TRANSFORM_BIT) vlMatrixMode(wanted.matrixMode);
}

extern "C" {

void vlEnable(GLenum cap) { setCapability(cap, true); }

void vlDisable(GLenum cap) { setCapability(cap, false); }

void glColorMaterial(GLenum, GLenum mode) { colorMaterialMode = mode; }

void vlBlendFunc(GLenum source, GLenum destination) {
    state.blendSource = source;
    state.blendDestination = destination;
    glBlendFunc(source, destination);
}

void vlDepthMask(GLboolean flag) {
    state.depthMask = flag;
    glDepthMask(flag);
}

// WebGL draws lines one pixel wide whatever is asked; the width is kept for the attribute stack.
void vlLineWidth(GLfloat width) {
    state.lineWidth = width;
    glLineWidth(width);
}

void vlPointSize(GLfloat size) {
    state.pointSize = size;
    glPointSize(size);
}

void vlMatrixMode(GLenum mode) {
    state.matrixMode = mode;
    glMatrixMode(mode);
}

}  // extern "C"
