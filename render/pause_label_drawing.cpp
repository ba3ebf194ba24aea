#include "render/pause_label_drawing.h"

#include <cstring>

#include <GL/glut.h>

#include "scene/scene_state.h"

namespace {

const char kLabel[] = "Paused (P)";
constexpr int kMargin = 10;
constexpr int kPadding = 6;
constexpr int kCharWidth = 8;    // GLUT_BITMAP_8_BY_13
constexpr int kTextHeight = 13;  // GLUT_BITMAP_8_BY_13
constexpr int kDescent = 3;      // below the baseline

}  // namespace

void drawPauseLabel() {
    if (scene.paused == 0) return;

    const int width = scene.windowSize[0];
    const int height = scene.windowSize[1];
    const int boxWidth = static_cast<int>(std::strlen(kLabel)) * kCharWidth + 2 * kPadding;
    const int boxHeight = kTextHeight + 2 * kPadding;
    // Window pixels, origin bottom left.
    const int right = width - kMargin;
    const int left = right - boxWidth;
    const int bottom = kMargin;

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

    // Darkened like the help panel, so the text reads on the bright sky too.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.08f, 0.75f);
    glBegin(GL_QUADS);
    glVertex2i(left, bottom);
    glVertex2i(right, bottom);
    glVertex2i(right, bottom + boxHeight);
    glVertex2i(left, bottom + boxHeight);
    glEnd();

    glColor4f(1.0f, 1.0f, 0.85f, 1.0f);
    glRasterPos2i(left + kPadding, bottom + kPadding + kDescent);
    for (const char* c = kLabel; *c != '\0'; ++c) glutBitmapCharacter(GLUT_BITMAP_8_BY_13, *c);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}
