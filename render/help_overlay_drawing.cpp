#include "render/help_overlay_drawing.h"

#include <algorithm>
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

HelpFigures helpOverlayFigures(const Simulation& s) {
    HelpFigures f;
    f.ballsAlive = liveBallCount(s);
    f.shotsInFlight = liveShotCount(s);
    f.timeStep = s.controls.timeStep;
    f.activeTimeStep = s.controls.activeTimeStep;
    f.stepsPerSecond = stepMeter.rate;
    f.framesPerSecond = frameMeter.rate;
    const StepStats stats = s.stats;
    f.subSteps = stats.subSteps;
    f.contacts = stats.contacts;
    f.autoFire = s.controls.autoFire;
    f.launchMode = s.controls.launchMode;
    f.soundOn = s.controls.soundOn;
    f.soundDevice = soundDeviceOpen() ? 1 : 0;
    f.paused = s.controls.paused;
    f.seed = scene.randomSeed;
    f.stepsBack = scene.historyStepsBack;
    f.stepsReach = scene.historyReach;
    f.replaying = scene.replaying;
    f.replayStep = scene.replayStep;
    f.replaySteps = scene.replaySteps;
    f.replaySpeed = scene.replaySpeed;
    return f;
}

void drawHelpOverlay(const Simulation& s) {
    ++framesDrawn;
    const int now = elapsedMilliseconds();
    frameMeter.note(now, framesDrawn);
    stepMeter.note(now, s.stats.stepNumber);
    if (scene.helpOverlay == 0) return;

    composeHelpPanel(helpOverlayFigures(s), panel);
    const int width = scene.windowSize[0];
    const int height = scene.windowSize[1];

    // The largest text that fits the window: larger in a large window, and
    // in a small one (400 x 300) the small font without the heading and the
    // blank line, with less room round it.
    struct Layout {
        OverlayFont font;
        bool compact;
    };
    const Layout layouts[] = {{OverlayFont::Large, false}, {OverlayFont::Normal, false}, {OverlayFont::Small, true}};
    Layout chosen = layouts[2];
    int panelWidth = 0;
    int panelHeight = 0;
    int padding = kOverlayPadding;
    for (const Layout& layout : layouts) {
        padding = layout.compact ? kOverlayPadding / 2 : kOverlayPadding;
        const int margin = layout.compact ? kOverlayMargin / 2 : kOverlayMargin;
        int longest = 0;
        int lines = 0;
        for (int i = 0; i < panel.count; ++i) {
            if (layout.compact && (i == 0 || panel.lines[i][0] == '\0')) continue;
            longest = std::max(longest, overlayTextWidth(layout.font, panel.lines[i]));
            ++lines;
        }
        panelWidth = longest + 2 * padding;
        panelHeight = lines * overlayLineHeight(layout.font) + 2 * padding;
        chosen = layout;
        if (panelWidth <= width - 2 * margin && panelHeight <= height - 2 * margin) break;
    }
    // The panel hangs from the top left.
    const int margin = chosen.compact ? kOverlayMargin / 2 : kOverlayMargin;
    const int left = margin;
    const int top = height - margin;
    const int lineHeight = overlayLineHeight(chosen.font);

    beginWindowOverlay(width, height);
    drawOverlayPanel(left, top - panelHeight, left + panelWidth, top);
    int line = 0;
    for (int i = 0; i < panel.count; ++i) {
        if (chosen.compact && (i == 0 || panel.lines[i][0] == '\0')) continue;
        ++line;
        drawOverlayText(chosen.font, left + padding, top - padding - line * lineHeight + (lineHeight - 10) / 2 + 1,
                        panel.lines[i]);
    }
    endWindowOverlay();
}
