#include "render/help_overlay_drawing.h"

#include <cstring>

#include "physics/simulation_step.h"
#include "platform/clock.h"
#include "platform/sound.h"
#include "render/window_overlay.h"
#include "input/help_text.h"
#include "scene/scene_state.h"

namespace {

long framesDrawn = 0;
RateMeter frameMeter;
RateMeter stepMeter;
HelpPanel panel;

}  // namespace

HelpFigures helpOverlayFigures() {
    HelpFigures f;
    f.ballsAlive = liveBallCount();
    f.shotsInFlight = liveShotCount();
    f.timeStep = sim.controls.timeStep;
    f.activeTimeStep = sim.controls.activeTimeStep;
    f.stepsPerSecond = stepMeter.rate;
    f.framesPerSecond = frameMeter.rate;
    const StepStats stats = sim.stats;
    f.subSteps = stats.subSteps;
    f.contacts = stats.contacts;
    f.autoFire = sim.controls.autoFire;
    f.launchMode = sim.controls.launchMode;
    f.soundOn = sim.controls.soundOn;
    f.soundDevice = soundDeviceOpen() ? 1 : 0;
    f.paused = sim.controls.paused;
    f.seed = scene.randomSeed;
    f.stepsBack = scene.historyStepsBack;
    f.stepsReach = scene.historyReach;
    f.replaying = scene.replaying;
    f.replayStep = scene.replayStep;
    f.replaySteps = scene.replaySteps;
    f.replaySpeed = scene.replaySpeed;
    return f;
}

void drawHelpOverlay() {
    ++framesDrawn;
    const int now = elapsedMilliseconds();
    frameMeter.note(now, framesDrawn);
    stepMeter.note(now, sim.stats.stepNumber);
    if (scene.helpOverlay == 0) return;

    composeHelpPanel(helpOverlayFigures(), panel);
    int longest = 0;
    for (int i = 0; i < panel.count; ++i) {
        const int length = static_cast<int>(std::strlen(panel.lines[i]));
        if (length > longest) longest = length;
    }
    const int width = scene.windowSize[0];
    const int height = scene.windowSize[1];
    const int panelWidth = longest * kOverlayCharWidth + 2 * kOverlayPadding;
    const int panelHeight = panel.count * kOverlayLineHeight + 2 * kOverlayPadding;
    // The panel hangs from the top left.
    const int left = kOverlayMargin;
    const int top = height - kOverlayMargin;

    beginWindowOverlay(width, height);
    drawOverlayPanel(left, top - panelHeight, left + panelWidth, top);
    for (int i = 0; i < panel.count; ++i) {
        drawOverlayText(left + kOverlayPadding, top - kOverlayPadding - (i + 1) * kOverlayLineHeight + 3,
                        panel.lines[i]);
    }
    endWindowOverlay();
}
