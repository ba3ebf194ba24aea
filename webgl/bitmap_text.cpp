#define VL_WEBGL_NO_RENAMING
#include <GL/glut.h>

#include <emscripten.h>

#include "webgl/immediate_mode.h"

// glRasterPos2i and glutBitmapCharacter: the emulation has neither, nor any
// font. The text goes onto a transparent 2D canvas laid over the GL canvas
// (the page provides it as Module.textOverlay), in an 8 x 13 cell per
// character as GLUT's 8-by-13 font; glClear with the colour bit clears it.

extern "C" {
void* glutBitmap8By13 = nullptr;
}

namespace {

double rasterX = 0.0;
double rasterY = 0.0;
GLfloat rasterColor[4] = {1.0f, 1.0f, 1.0f, 1.0f};

// Window position of an object point: modelview, projection, viewport.
void toWindow(double x, double y, double z) {
    GLfloat modelview[16], projection[16];
    GLint viewport[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double eye[4], clip[4];
    const double in[4] = {x, y, z, 1.0};
    for (int r = 0; r < 4; ++r) eye[r] = 0.0;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) eye[r] += modelview[c * 4 + r] * in[c];
    for (int r = 0; r < 4; ++r) {
        clip[r] = 0.0;
        for (int c = 0; c < 4; ++c) clip[r] += projection[c * 4 + r] * eye[c];
    }
    const double w = clip[3] != 0.0 ? clip[3] : 1.0;
    rasterX = viewport[0] + (clip[0] / w + 1.0) * 0.5 * viewport[2];
    rasterY = viewport[1] + (clip[1] / w + 1.0) * 0.5 * viewport[3];
}

}  // namespace

EM_JS(void, drawOverlayCharacter, (double x, double y, int character, double r, double g, double b, double a), {
    var overlay = Module['textOverlay'];
    if (!overlay) return;
    var context = overlay.getContext('2d');
    context.font = '13px monospace';
    context.textBaseline = 'alphabetic';
    context.fillStyle = 'rgba(' + Math.round(r * 255) + ',' + Math.round(g * 255) + ',' + Math.round(b * 255) + ',' + a + ')';
    context.fillText(String.fromCharCode(character), x, overlay.height - y);
});

EM_JS(void, clearOverlay, (), {
    var overlay = Module['textOverlay'];
    if (!overlay) return;
    var canvas = Module['canvas'];
    if (overlay.width != canvas.width || overlay.height != canvas.height) {
        overlay.width = canvas.width;
        overlay.height = canvas.height;
    }
    overlay.getContext('2d').clearRect(0, 0, overlay.width, overlay.height);
});

extern "C" {

void glRasterPos2i(GLint x, GLint y) {
    toWindow(x, y, 0.0);
    for (int i = 0; i < 4; ++i) rasterColor[i] = currentAttributes().color[i];
}

void glutBitmapCharacter(void*, int character) {
    drawOverlayCharacter(rasterX, rasterY, character, rasterColor[0], rasterColor[1], rasterColor[2], rasterColor[3]);
    rasterX += 8.0;
}

void vlClear(GLbitfield mask) {
    if (mask & GL_COLOR_BUFFER_BIT) clearOverlay();
    glClear(mask);
}

}  // extern "C"
