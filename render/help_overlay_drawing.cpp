#include "render/help_overlay_drawing.h"

#include <cstring>

#include <GL/glut.h>

#include "physics/simulation_step.h"
#include "platform/clock.h"
#include "scene/help_text.h"
#include "scene/scene_state.h"

namespace {

constexpr int kMargin = 10;
constexpr int kPadding = 8;
constexpr int kLineHeight = 15;
constexpr int kCharWidth = 8;  // GLUT_BITMAP_8_BY_13

long framesDrawn = 0;
RateMeter frameMeter;
RateMeter stepMeter;
HelpPanel panel;

HelpFigures gatherFigures() {
    HelpFigures f;
    f.ballsAlive = liveBallCount();
    f.shotsInFlight = liveShotCount();
    f.timeStep = scene.timeStep;
    f.activeTimeStep = scene.activeTimeStep;
    f.stepsPerSecond = stepMeter.rate;
    f.framesPerSecond = frameMeter.rate;
    const StepStats stats = lastStepStats();
    f.subSteps = stats.subSteps;
    f.contacts = stats.contacts;
    f.autoFire = scene.autoFire;
    f.launchMode = scene.launchMode;
    f.soundOn = scene.soundOn;
    f.paused = scene.paused;
    f.seed = scene.randomSeed;
    return f;
}

void drawText(int x, int y, const char* text) {
    glRasterPos2i(x, y);
    for (const char* c = text; *c != '\0'; ++c) glutBitmapCharacter(GLUT_BITMAP_8_BY_13, *c);
}

}  // namespace

HelpFigures helpOverlayFigures() { return gatherFigures(); }

void drawHelpOverlay() {
    ++framesDrawn;
    const int now = elapsedMilliseconds();
    frameMeter.note(now, framesDrawn);
    stepMeter.note(now, lastStepStats().stepNumber);
    if (scene.helpOverlay == 0) return;

    composeHelpPanel(gatherFigures(), panel);
    int longest = 0;
    for (int i = 0; i < panel.count; ++i) {
        const int length = static_cast<int>(std::strlen(panel.lines[i]));
        if (length > longest) longest = length;
    }
    const int width = scene.windowSize[0];
    const int height = scene.windowSize[1];
    const int panelWidth = longest * kCharWidth + 2 * kPadding;
    const int panelHeight = panel.count * kLineHeight + 2 * kPadding;
    // Window pixels, origin bottom left; the panel hangs from the top left.
    const int left = kMargin;
    const int top = height - kMargin;

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

    // The panel darkens what lies behind it, which adding cannot do.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.08f, 0.75f);
    glBegin(GL_QUADS);
    glVertex2i(left, top - panelHeight);
    glVertex2i(left + panelWidth, top - panelHeight);
    glVertex2i(left + panelWidth, top);
    glVertex2i(left, top);
    glEnd();

    glColor4f(1.0f, 1.0f, 0.85f, 1.0f);
    for (int i = 0; i < panel.count; ++i) {
        drawText(left + kPadding, top - kPadding - (i + 1) * kLineHeight + 3, panel.lines[i]);
    }

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}
