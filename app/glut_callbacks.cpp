#include "app/glut_callbacks.h"

#include <cstdlib>
#include <limits>

#include <GL/glut.h>

#include "app/ball_hands.h"
#include "app/live_readings.h"
#include "app/live_simulation.h"
#include "app/screenshot_saving.h"
#include "app/session.h"
#include "app/step_pacing.h"
#include "effects/frame_blend.h"
#include "effects/frame_schedule.h"
#include "effects/inspect_mode.h"
#include "effects/screenshot_notice.h"
#include "effects/view_state.h"
#include "input/input_event.h"
#include "input/key_codes.h"
#include "input/key_repeat.h"
#include "input/key_table.h"
#include "input/keyboard.h"
#include "input/pointer_arrows.h"
#include "lab/lab_panels.h"
#include "physics/simulation_step.h"
#include "platform/clock.h"
#include "platform/sound.h"
#include "render/frame_drawing.h"
#include "render/graphics_setup.h"
#include "render/notice_drawing.h"
#include "render/pause_label_drawing.h"
#include "render/texture_upload.h"

namespace {

// Smooth motion. A step's frame moves the view on as every frame does
// without the option, and is kept; the frames until the next step show the
// way from the frame before it to this one, so the picture trails the
// simulation by one step and each step's own frame is drawn as it is
// (when: effects/frame_schedule.h).
struct SmoothFrames {
    ShownFrame before;
    ShownFrame after;
    ShownFrame blended;
    bool kept = false;
    bool stepFrameOwed = false;
    int stepFrameTime = 0;
    int framesSinceStep = 0;  // frames drawn since the step's own
    int frameCost = 0;  // milliseconds a frame takes, swap included (see onDisplay)
};

// The window's own state between the toolkit's calls, in one value.
struct WindowState {
    SmoothFrames smooth;
    // The live steps' pacing.
    StepPacing pacing;
    // Our own repeat for a held O or B.
    KeyRepeat timelineRepeat;
    // The system's repeats of a held key are dropped here, not by the
    // toolkit, whose filter also loses quick presses and releases.
    KeysDown keysDown;
    // The middle button and the wheel, as the arrows.
    PointerArrows pointerArrows;
    void (*drawPanels)() = nullptr;
};

WindowState window;

// What steps asked for outside the simulation.
void carryOut(const StepEvents& events) {
    for (int i = 0; i < events.cueCount; ++i) playCue(events.cues[i]);
    if (events.clipPlane0 == 1) glEnable(GL_CLIP_PLANE0);
    if (events.clipPlane0 == 0) glDisable(GL_CLIP_PLANE0);
    if (events.redisplay) {
        window.smooth.stepFrameOwed = true;
        glutPostRedisplay();
    }
}

void drawShown(const ShownFrame& frame) { drawFrame(frame.state, frame.look, live.viewer); }

void drawSmoothFrame() {
    const int now = elapsedMilliseconds();
    if (window.smooth.stepFrameOwed || !window.smooth.kept) {
        window.smooth.stepFrameOwed = false;
        const FrameLook look = sessionLook();
        // Blended only from the step just before: after a reset of the
        // history (B, a pause) the frames start again from this one.
        const bool follows = window.smooth.kept && window.smooth.after.state.stepsRun + 1 == sim.stepsRun;
        if (follows) window.smooth.before = window.smooth.after;
        window.smooth.after.state = sim;
        window.smooth.after.look = look;
        if (!follows) window.smooth.before = window.smooth.after;
        window.smooth.kept = true;
        window.smooth.stepFrameTime = now;
        window.smooth.framesSinceStep = 0;
    }
    if (sim.controls.paused != 0) {
        drawShown(window.smooth.after);
        return;
    }
    const double fraction = static_cast<double>(millisecondsBetween(window.smooth.stepFrameTime, now)) / kStepSlotMilliseconds;
    blendFrames(window.smooth.before, window.smooth.after, fraction, window.smooth.blended);
    drawShown(window.smooth.blended);
}

// With window.smooth motion, running: asks for a frame between steps when one is
// due and can end before the step, or sleeps until then. False when no
// frame fits before the step any more and the window.pacing takes over.
bool frameBetweenSteps() {
    const int since = static_cast<int>(millisecondsBetween(window.smooth.stepFrameTime, elapsedMilliseconds()));
    const FrameChoice choice =
        chooseFrameBetweenSteps(window.smooth.framesSinceStep, since, millisecondsUntilStepDue(window.pacing), window.smooth.frameCost);
    if (choice.kind == FrameChoice::Pace) return false;
    if (choice.kind == FrameChoice::Wait) {
        sleepMilliseconds(choice.wait);
        return true;
    }
    window.smooth.framesSinceStep += 1;
    glutPostRedisplay();
    return true;
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

void deliver(const ArrowEvents& arrows) {
    for (int i = 0; i < arrows.count; ++i) deliverInput(arrows.events[i]);
}

// Held input let go: the pointer left, or the window was hidden.
void letGo() {
    window.keysDown.releaseAll();
    window.timelineRepeat.release(0);
    deliver(InputKind::Release, 0, 0, 0, 0);
    forgetPointerArrows(window.pointerArrows);
}

// Escape and the window's close button: the recording is finished, and
// the exit status says whether it was saved.
[[noreturn]] void quitProgram() {
    const bool saved = endSession();
    deleteTextures();
    exit(saved ? 0 : 1);
}

void stepBackOnce() {
    StepEvents events;
    stepBack(events);
    carryOut(events);
}

void timelineKeyAgain(int key) {
    if (key == 'b') stepBackOnce();
    if (key == 'o') requestSingleStep();
}

// The timeline's keys: 100 steps, or to an end of what is kept.
void jumpAlongTimeline(KeyAction action) {
    const long step = sessionStepNumber();
    long target = step + 100;
    if (action == KeyAction::HundredBack) target = step - 100;
    if (action == KeyAction::FirstKept) target = 0;
    if (action == KeyAction::LastKept) target = std::numeric_limits<long>::max();
    pauseAndJumpTo(target);
}

}  // namespace

void pauseAndJumpTo(long step) {
    if (sim.controls.paused == 0) togglePause(sim, liveReadings());
    StepEvents events;
    jumpToStep(step, events);
    carryOut(events);
    glutPostRedisplay();
}

void pressKey(KeyKind kind, int code, int modifiers) {
    if (clearVerdict(live.notices)) glutPostRedisplay();
    const Key* key = keyFor(kind, code, modifiers);
    const KeyAction action = key != nullptr ? key->action : KeyAction::None;
    switch (action) {
    case KeyAction::Quit:
        quitProgram();
    case KeyAction::StepBack:
        window.timelineRepeat.press('b', glutElapsedMilliseconds());
        stepBackOnce();
        return;
    case KeyAction::SingleStep:
        // O, like B, is the session's: single steps are its window.pacing.
        window.timelineRepeat.press('o', glutElapsedMilliseconds());
        requestSingleStep();
        return;
    case KeyAction::Grab:
        handsGrabKey(sim.controls.mouseX, sim.controls.mouseY);
        return;
    case KeyAction::HundredBack:
    case KeyAction::HundredForward:
    case KeyAction::FirstKept:
    case KeyAction::LastKept:
        jumpAlongTimeline(action);
        return;
    // The lab's views: what they show is lab/'s, so they are switched here.
    case KeyAction::DataPanel:
        live.viewer.labPanels ^= kLabDataPanel;
        glutPostRedisplay();
        return;
    case KeyAction::PlotPanel:
        live.viewer.labPanels ^= kLabPlotPanel;
        glutPostRedisplay();
        return;
    case KeyAction::Paths:
        live.viewer.paths = (live.viewer.paths + 1) % 3;
        glutPostRedisplay();
        return;
    case KeyAction::ValueLabels:
        live.viewer.valueLabels ^= 1;
        glutPostRedisplay();
        return;
    default:
        break;
    }
    // The simulation's keys go to the session as events, to be recorded.
    if (kind == KeyKind::Special) {
        deliver(InputKind::SpecialDown, code, modifiers, 0, 0);
    } else {
        handleKey(sim, live.viewer, live.notices, static_cast<unsigned char>(code), liveReadings());
    }
}

void onKey(unsigned char key, int, int) {
    if (window.keysDown.press(KeySort::Letter, key)) pressKey(KeyKind::Letter, key, 0);
}

void onKeyUp(unsigned char key, int, int) {
    window.keysDown.release(KeySort::Letter, key);
    window.timelineRepeat.release(key | 0x20);
}

void onClose() { quitProgram(); }

void onSpecialKey(int key, int, int) {
    if (window.keysDown.press(KeySort::Special, key)) pressKey(KeyKind::Special, key, glutGetModifiers());
}

void onSpecialKeyUp(int key, int, int) {
    window.keysDown.release(KeySort::Special, key);
    deliver(InputKind::SpecialUp, key, 0, 0, 0);
}

void onMouseButton(int button, int state, int x, int y) {
    if (handsTakeButton(button, state, x, y)) return;
    ArrowEvents arrows;
    if (button == kMiddleButton) {
        if (state == GLUT_DOWN) {
            pressMiddle(window.pointerArrows, x, y);
        } else {
            releaseMiddle(window.pointerArrows, sim.controls, arrows);
        }
    } else if (button == kWheelForwardButton || button == kWheelBackButton) {
        if (state == GLUT_DOWN) turnWheel(window.pointerArrows, sim.controls, button == kWheelForwardButton ? 1 : -1, arrows);
    } else {
        deliver(InputKind::MouseButton, button, state, x, y);
    }
    deliver(arrows);
}

void onMouseMotion(int x, int y) {
    deliver(InputKind::Motion, 0, 0, x, y);
    handsPointerMoved(x, y);
    ArrowEvents arrows;
    movePointer(window.pointerArrows, sim.controls, x, y, arrows);
    deliver(arrows);
}

void onEntry(int state) {
    if (state == GLUT_LEFT) letGo();
}

void onFocusLost() { letGo(); }

void onWindowStatus(int state) {
    if (state == GLUT_HIDDEN || state == GLUT_FULLY_COVERED) letGo();
}

void onWindowSize(int width, int height) {
    onReshape(width, height);
    deliver(InputKind::WindowSize, width, height, 0, 0);
}

int millisecondsUntilPacedStep() { return millisecondsUntilStepDue(window.pacing); }

void runPacedStep() {
    paceStep(window.pacing);
    timelineKeyAgain(window.timelineRepeat.due(glutElapsedMilliseconds()));
    for (int n = sessionStepsThisTurn(); n > 0; --n) {
        carryOut(sessionStep());
        ArrowEvents arrows;
        pointerStepTaken(window.pointerArrows, sim.controls, arrows);
        deliver(arrows);
    }
}

void onIdle() {
    if (live.viewer.smoothMotion != 0 && sim.controls.paused == 0 && window.smooth.kept && frameBetweenSteps()) return;
    runPacedStep();
}

void onDisplay() {
    handsCheckSelection(elapsedMilliseconds());
    const int start = live.viewer.smoothMotion != 0 ? elapsedMilliseconds() : 0;
    if (live.viewer.smoothMotion == 0) {
        window.smooth.kept = false;
        drawFrame(sim, sessionLook(), live.viewer);
    } else {
        drawSmoothFrame();
    }
    // The panels are in the screenshot, as the user sees them; the pause
    // label and the notice, drawn after the readback, are not.
    if (window.drawPanels != nullptr) window.drawPanels();
    if (takeScreenshotRequest(live.notices)) saveScreenshot();
    drawPauseLabel(sim);
    drawNotice(currentNotice(live.notices, elapsedMilliseconds()), pauseLabelReserve(sim));
    glutSwapBuffers();
    if (live.viewer.smoothMotion != 0) {
        const int cost = static_cast<int>(millisecondsBetween(start, elapsedMilliseconds()));
        window.smooth.frameCost = nextFrameCost(window.smooth.frameCost, cost);
    }
}

void setPanelDrawing(void (*draw)()) { window.drawPanels = draw; }

void registerInputCallbacks() {
    glutReshapeFunc(onWindowSize);
    glutSpecialFunc(onSpecialKey);
    glutSpecialUpFunc(onSpecialKeyUp);
    glutKeyboardFunc(onKey);
    glutKeyboardUpFunc(onKeyUp);
    // Repeats come as presses of a key already down and are dropped above.
    glutIgnoreKeyRepeat(0);
    glutMouseFunc(onMouseButton);
    glutMotionFunc(onMouseMotion);
    glutPassiveMotionFunc(onMouseMotion);
    glutEntryFunc(onEntry);
    glutWindowStatusFunc(onWindowStatus);
}

int glutElapsedMilliseconds() { return glutGet(GLUT_ELAPSED_TIME); }
