#include "app/window_panels.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <GL/freeglut.h>

#include "app/glut_callbacks.h"
#include "app/live_simulation.h"
#include "app/session.h"
#include "render/graphics_setup.h"
#include "render/help_overlay_drawing.h"
#include "render/window_panels_drawing.h"

namespace {

const char* recordName = nullptr;
const char* replayName = nullptr;

const char* baseName(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash != nullptr ? slash + 1 : path;
}

// "REC name" while recording; during a replay its name, where it stands
// and how fast it plays.
void composeIndicator(const TimelineFigures& t, char* out, std::size_t size) {
    out[0] = '\0';
    if (t.replaying != 0 && replayName != nullptr) {
        char speed[16];
        if (t.replaySpeed >= 0) {
            std::snprintf(speed, sizeof speed, "%d", 1 << t.replaySpeed);
        } else {
            std::snprintf(speed, sizeof speed, "1/%d", 1 << -t.replaySpeed);
        }
        std::snprintf(out, size, "Replay %s, step %ld of %ld, \xc3\x97%s", baseName(replayName), t.replayStep,
                      t.replaySteps, speed);
    } else if (recordName != nullptr && sessionRecording()) {
        std::snprintf(out, size, "REC %s", baseName(recordName));
    }
}

void drawPanels() {
    static PanelFigures figures;
    const FrameLook look = sessionLook();
    figures.simulation = &sim;
    figures.viewer = &live.viewer;
    figures.contacts = look.contacts;
    figures.help = helpOverlayFigures(sim, live.viewer, look.timeline);
    composeIndicator(look.timeline, figures.indicator, sizeof figures.indicator);
    drawWindowPanels(figures);
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

void startPanelsInWindow(const char* recordPath, const char* replayPath) {
    recordName = recordPath;
    replayName = replayPath;
    graphics.bitmapPanels = false;
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
