#include "app/glut_callbacks.h"

#include <cstdlib>
#include <limits>

#include <GL/glut.h>

#include "app/live_simulation.h"
#include "app/screenshot_saving.h"
#include "app/session.h"
#include "effects/inspect_mode.h"
#include "effects/screenshot_notice.h"
#include "effects/view_state.h"
#include "input/input_event.h"
#include "input/key_codes.h"
#include "input/key_repeat.h"
#include "input/keyboard.h"
#include "physics/simulation_step.h"
#include "platform/clock.h"
#include "platform/sound.h"
#include "render/frame_drawing.h"
#include "render/graphics_setup.h"
#include "render/notice_drawing.h"
#include "render/pause_label_drawing.h"
#include "render/texture_upload.h"

namespace {

constexpr unsigned char kEscape = 27;

// Our own repeat for a held O or B.
KeyRepeat timelineRepeat;

// What steps asked for outside the simulation.
void carryOut(const StepEvents& events) {
    for (int i = 0; i < events.cueCount; ++i) playCue(events.cues[i]);
    if (events.clipPlane0 == 1) glEnable(GL_CLIP_PLANE0);
    if (events.clipPlane0 == 0) glDisable(GL_CLIP_PLANE0);
    if (events.redisplay) glutPostRedisplay();
}

void deliver(InputKind kind, int a, int b, int c, int d) {
    InputEvent event;
    event.kind = kind;
    event.a = a;
    event.b = b;
    event.c = c;
    event.d = d;
    deliverInput(event);
}

// Escape and the window's close button: the recording is finished, and
// the exit status says whether it was saved.
[[noreturn]] void quitProgram() {
    const bool saved = endSession();
    deleteTextures();
    exit(saved ? 0 : 1);
}

}  // namespace

namespace {

void stepBackOnce() {
    StepEvents events;
    stepBack(events);
    carryOut(events);
}

void timelineKeyAgain(int key) {
    if (key == 'b') stepBackOnce();
    if (key == 'o') requestSingleStep(sim);
}

}  // namespace

void onKey(unsigned char key, int, int) {
    if (clearVerdict()) glutPostRedisplay();
    if (key == 'b' || key == 'B' || key == 'o' || key == 'O') timelineRepeat.press(key | 0x20, glutElapsedMilliseconds());
    if (key == 'b' || key == 'B') {
        stepBackOnce();
        return;
    }
    if (key != kEscape) {
        handleKey(sim, key);
        return;
    }
    quitProgram();
}

void onKeyUp(unsigned char key, int, int) { timelineRepeat.release(key | 0x20); }

void onClose() { quitProgram(); }

void onTimelineKey(int key, int modifiers) {
    if (clearVerdict()) glutPostRedisplay();
    if (sim.controls.paused == 0) togglePause(sim);
    const bool toEnd = (modifiers & kModifierShift) != 0;
    const long step = sessionStepNumber();
    long target = key == kKeyPageUp ? step - 100 : step + 100;
    if (toEnd) target = key == kKeyPageUp ? 0 : std::numeric_limits<long>::max();
    StepEvents events;
    jumpToStep(target, events);
    carryOut(events);
    glutPostRedisplay();
}

void onSpecialKey(int key, int, int) {
    if (key == kKeyPageUp || key == kKeyPageDown) {
        onTimelineKey(key, glutGetModifiers());
        return;
    }
    if (clearVerdict()) glutPostRedisplay();
    deliver(InputKind::SpecialDown, key, glutGetModifiers(), 0, 0);
}

void onSpecialKeyUp(int key, int, int) { deliver(InputKind::SpecialUp, key, 0, 0, 0); }

void onMouseButton(int button, int state, int x, int y) { deliver(InputKind::MouseButton, button, state, x, y); }

void onMouseMotion(int x, int y) { deliver(InputKind::Motion, 0, 0, x, y); }

void onEntry(int state) {
    if (state == GLUT_LEFT) {
        timelineRepeat.release(0);
        deliver(InputKind::Release, 0, 0, 0, 0);
    }
}

void onWindowStatus(int state) {
    if (state == GLUT_HIDDEN || state == GLUT_FULLY_COVERED) {
        timelineRepeat.release(0);
        deliver(InputKind::Release, 0, 0, 0, 0);
    }
}

void onWindowSize(int width, int height) {
    onReshape(width, height);
    deliver(InputKind::WindowSize, width, height, 0, 0);
}

void onIdle() {
    paceStep();
    timelineKeyAgain(timelineRepeat.due(glutElapsedMilliseconds()));
    for (int n = sessionStepsThisTurn(); n > 0; --n) carryOut(sessionStep());
}

void onDisplay() {
    drawFrame(sim, advanceFrameView(sim));
    // Read back before the pause label and the notice are drawn, so neither
    // shows in the picture.
    if (takeScreenshotRequest()) saveScreenshot();
    drawPauseLabel(sim);
    drawNotice(currentNotice(elapsedMilliseconds()));
    glutSwapBuffers();
}

void registerInputCallbacks() {
    glutReshapeFunc(onWindowSize);
    glutSpecialFunc(onSpecialKey);
    glutSpecialUpFunc(onSpecialKeyUp);
    glutKeyboardFunc(onKey);
    glutKeyboardUpFunc(onKeyUp);
    glutIgnoreKeyRepeat(1);
    glutMouseFunc(onMouseButton);
    glutMotionFunc(onMouseMotion);
    glutPassiveMotionFunc(onMouseMotion);
    glutEntryFunc(onEntry);
    glutWindowStatusFunc(onWindowStatus);
}

int glutElapsedMilliseconds() { return glutGet(GLUT_ELAPSED_TIME); }
