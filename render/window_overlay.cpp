#include "render/window_overlay.h"

#include <cstring>

#include <GL/glut.h>

void beginWindowOverlay(int width, int height) {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_TRANSFORM_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_CLIP_PLANE0);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void endWindowOverlay() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

void drawOverlayPanel(int left, int bottom, int right, int top) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.08f, 0.75f);
    glBegin(GL_QUADS);
    glVertex2i(left, bottom);
    glVertex2i(right, bottom);
    glVertex2i(right, top);
    glVertex2i(left, top);
    glEnd();
}

namespace {

#ifdef __EMSCRIPTEN__
// The page draws the desktop's 8 x 13 font only (webgl/bitmap_text.cpp):
// every size is that one there.
constexpr bool kOneFont = true;
#else
constexpr bool kOneFont = false;
#endif

void* glutFont(OverlayFont font) {
#ifndef __EMSCRIPTEN__
    switch (font) {
    case OverlayFont::Small: return GLUT_BITMAP_HELVETICA_10;
    case OverlayFont::Large: return GLUT_BITMAP_9_BY_15;
    case OverlayFont::Normal: break;
    }
#else
    (void)font;
#endif
    return GLUT_BITMAP_8_BY_13;
}

}  // namespace

int overlayLineHeight(OverlayFont font) {
    if (kOneFont) return kOverlayLineHeight;
    switch (font) {
    case OverlayFont::Small: return 10;
    case OverlayFont::Large: return 17;
    case OverlayFont::Normal: break;
    }
    return kOverlayLineHeight;
}

int overlayTextWidth(OverlayFont font, const char* text) {
    if (kOneFont) return static_cast<int>(std::strlen(text)) * kOverlayCharWidth;
    return glutBitmapLength(glutFont(font), reinterpret_cast<const unsigned char*>(text));
}

void drawOverlayText(OverlayFont font, int x, int y, const char* text) {
    glColor4f(1.0f, 1.0f, 0.85f, 1.0f);
    glRasterPos2i(x, y);
    for (const char* c = text; *c != '\0'; ++c) glutBitmapCharacter(glutFont(font), *c);
}

void drawOverlayText(int x, int y, const char* text) { drawOverlayText(OverlayFont::Normal, x, y, text); }
