#include "app/glut_callbacks.h"

#include <cstdlib>

#include <GL/glut.h>

#include "app/screenshot_saving.h"
#include "effects/screenshot_notice.h"
#include "input/keyboard.h"
#include "physics/simulation_step.h"
#include "platform/clock.h"
#include "render/frame_drawing.h"
#include "render/notice_drawing.h"
#include "render/pause_label_drawing.h"
#include "render/texture_upload.h"

namespace {

constexpr unsigned char kEscape = 27;

void setClipPlane0(int enabled) {
    if (enabled) {
        glEnable(GL_CLIP_PLANE0);
    } else {
        glDisable(GL_CLIP_PLANE0);
    }
}

void postRedisplay() { glutPostRedisplay(); }

}  // namespace

void onKey(unsigned char key, int, int) {
    if (key != kEscape) {
        handleKey(key);
        return;
    }
    deleteTextures();
    exit(0);
}

void onSpecialKey(int key, int, int) { handleSpecialKey(key, glutGetModifiers()); }

void onSpecialKeyUp(int key, int, int) { handleSpecialKeyUp(key); }

void onEntry(int state) {
    if (state == GLUT_LEFT) releaseHeldInput();
}

void onWindowStatus(int state) {
    if (state == GLUT_HIDDEN || state == GLUT_FULLY_COVERED) releaseHeldInput();
}

void onDisplay() {
    drawFrame();
    // Read back before the pause label and the notice are drawn, so neither
    // shows in the picture.
    if (takeScreenshotRequest()) saveScreenshot();
    drawPauseLabel();
    drawNotice(currentNotice(elapsedMilliseconds()));
    glutSwapBuffers();
}

int glutElapsedMilliseconds() { return glutGet(GLUT_ELAPSED_TIME); }

void installStepHooks() {
    stepHooks.setClipPlane0 = setClipPlane0;
    stepHooks.postRedisplay = postRedisplay;
}
