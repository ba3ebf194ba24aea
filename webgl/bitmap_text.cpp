#define VL_WEBGL_NO_RENAMING
#include <GL/glut.h>

#include <emscripten.h>

#include "webgl/immediate_mode.h"

// glRasterPos2i and glutBitmapCharacter: the emulation has neither, nor any
// font. The text goes onto a transparent 2D canvas laid over the GL canvas
// (the page provides it as Module.textOverlay), in the desktop's own font:
// freeglut's 8-by-13 bitmaps, made into a table at build time
// (tools/font_table.cpp), drawn pixel for pixel where glBitmap would put
// them. glClear with the colour bit clears the canvas.

// kFontRows, kFontXOrigin, kFontYOrigin, kFontBitmaps.
#include "font_8x13.inc"

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

// The font goes to the page once; each colour's glyphs are drawn once into
// a strip (8 pixels a character) and copied from there.
EM_JS(void, setOverlayFont, (const unsigned char* bitmaps, int rows, int xOrigin, int yOrigin), {
    Module['overlayFont'] = {bitmaps: HEAPU8.slice(bitmaps, bitmaps + 256 * (rows + 1)), rows: rows,
                             xOrigin: xOrigin, yOrigin: yOrigin, strips: {}};
});

EM_JS(void, drawOverlayCharacter, (double x, double y, int character, double r, double g, double b, double a), {
    var overlay = Module['textOverlay'];
    var font = Module['overlayFont'];
    if (!overlay || !font) return;
    var colour = 'rgba(' + Math.round(r * 255) + ',' + Math.round(g * 255) + ',' + Math.round(b * 255) + ',' + a + ')';
    var strip = font.strips[colour];
    if (!strip) {
        strip = document.createElement('canvas');
        strip.width = 256 * 8;
        strip.height = font.rows;
        var paint = strip.getContext('2d');
        paint.fillStyle = colour;
        for (var c = 0; c < 256; c++) {
            for (var row = 0; row < font.rows; row++) {
                var bits = font.bitmaps[c * (font.rows + 1) + 1 + row];
                for (var column = 0; column < 8; column++) {
                    if (bits & (0x80 >> column)) paint.fillRect(c * 8 + column, font.rows - 1 - row, 1, 1);
                }
            }
        }
        font.strips[colour] = strip;
    }
    overlay.vlDrawnOn = true;
    // glBitmap's lower left corner: the raster position less the origin.
    var left = Math.floor(x - font.xOrigin);
    var bottom = Math.floor(y - font.yOrigin);
    overlay.getContext('2d').drawImage(strip, (character & 255) * 8, 0, 8, font.rows,
                                       left, overlay.height - bottom - font.rows, 8, font.rows);
});

EM_JS(void, clearOverlay, (), {
    var overlay = Module['textOverlay'];
    if (!overlay) return;
    var canvas = Module['canvas'];
    if (overlay.width != canvas.width || overlay.height != canvas.height) {
        overlay.width = canvas.width;
        overlay.height = canvas.height;
        overlay.vlDrawnOn = false;
    }
    // Clearing a clear canvas still has the browser composite it again.
    if (!overlay.vlDrawnOn) return;
    overlay.getContext('2d').clearRect(0, 0, overlay.width, overlay.height);
    overlay.vlDrawnOn = false;
});

extern "C" {

void glRasterPos2i(GLint x, GLint y) {
    toWindow(x, y, 0.0);
    for (int i = 0; i < 4; ++i) rasterColor[i] = currentAttributes().color[i];
}

void glutBitmapCharacter(void*, int character) {
    static bool fontSent = false;
    if (!fontSent) {
        setOverlayFont(&kFontBitmaps[0][0], kFontRows, kFontXOrigin, kFontYOrigin);
        fontSent = true;
    }
    drawOverlayCharacter(rasterX, rasterY, character, rasterColor[0], rasterColor[1], rasterColor[2], rasterColor[3]);
    rasterX += kFontBitmaps[character & 255][0];
}

void vlClear(GLbitfield mask) {
    if (mask & GL_COLOR_BUFFER_BIT) clearOverlay();
    glClear(mask);
}

}  // extern "C"
