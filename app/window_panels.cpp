#include "app/window_panels.h"

#include <cstdlib>
#include <cstring>

#include <GL/freeglut.h>

#include "app/glut_callbacks.h"
#include "app/live_simulation.h"
#include "app/session.h"
#include "lab/lab_history.h"
#include "render/graphics_setup.h"
#include "render/help_overlay_drawing.h"
#include "render/window_panels_drawing.h"

namespace {

void drawPanels() {
    const FrameLook look = sessionLook();
    PanelFigures figures;
    figures.simulation = &sim;
    figures.viewer = &live.viewer;
    figures.contacts = look.contacts;
    figures.history = &sessionLabHistory();
    figures.step = sessionStepNumber();
    figures.help = helpOverlayFigures(sim, live.viewer, look.timeline);
    figures.ballsEditable = true;
    figures.now = glutGet(GLUT_ELAPSED_TIME);
    const PanelRequests requests = drawWindowPanels(figures);
    // A typed position or velocity: an edit like any input (recorded,
    // undone by B); a refusal is said in the corner by the session.
    if (requests.editBall >= 0) {
        deliverBallEdit(requests.editBall, requests.setPosition ? &requests.position : nullptr,
                        requests.setVelocity ? &requests.velocity : nullptr, nullptr);
        glutPostRedisplay();
    }
    // A press on a plot or the timeline: shown from the next frame on.
    if (requests.jumpTo >= 0) pauseAndJumpTo(requests.jumpTo);
}

void keyDown(unsigned char key, int x, int y) {
    if (!panelsTakeKey(key, x, y)) onKey(key, x, y);
}

void keyUp(unsigned char key, int x, int y) {
    panelsKeyUp(key, x, y);
    onKeyUp(key, x, y);
}

void specialDown(int key, int x, int y) {
    if (!panelsTakeSpecialKey(key, x, y)) onSpecialKey(key, x, y);
}

void specialUp(int key, int x, int y) {
    panelsSpecialKeyUp(key, x, y);
    onSpecialKeyUp(key, x, y);
}

void mouseButton(int button, int state, int x, int y) {
    if (!panelsTakeButton(button, state, x, y)) onMouseButton(button, state, x, y);
}

void mouseMotion(int x, int y) {
    panelsPointerMoved(x, y);
    onMouseMotion(x, y);
}

}  // namespace

void startPanelsInWindow() {
    const char* report = std::getenv("VENNALOFT_PANEL_REPORT");
    startWindowPanels(report != nullptr && std::strcmp(report, "1") == 0);
    setPanelDrawing(drawPanels);
    glutKeyboardFunc(keyDown);
    glutKeyboardUpFunc(keyUp);
    glutSpecialFunc(specialDown);
    glutSpecialUpFunc(specialUp);
    glutMouseFunc(mouseButton);
    glutMotionFunc(mouseMotion);
    glutPassiveMotionFunc(mouseMotion);
}
