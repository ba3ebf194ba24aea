#include "render/help_overlay_drawing.h"

#include <algorithm>
#include <cstring>

#include "input/help_text.h"
#include "physics/simulation_step.h"
#include "platform/clock.h"
#include "platform/sound.h"
#include "render/graphics_setup.h"
#include "render/window_overlay.h"

namespace {

long framesDrawn = 0;
RateMeter frameMeter;
RateMeter stepMeter;
HelpPanel panel;

}  // namespace

HelpFigures helpOverlayFigures(const Simulation& s, const ViewerState& viewer, const TimelineFigures& timeline) {
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
    f.seed = viewer.randomSeed;
    f.timeline = timeline;
    return f;
}

void drawHelpOverlay(const Simulation& s, const ViewerState& viewer, const TimelineFigures& timeline) {
    ++framesDrawn;
    const int now = elapsedMilliseconds();
    frameMeter.note(now, framesDrawn);
    stepMeter.note(now, s.stats.stepNumber);
    if (viewer.helpOverlay == 0 || !graphics.bitmapPanels) return;

    composeHelpPanel(helpOverlayFigures(s, viewer, timeline), panel);
    const int width = graphics.windowSize[0];
    const int height = graphics.windowSize[1];

    // The largest text that fits the window: larger in a large window, and
    // in a small one (400 x 300) the small font without the heading and the
    // blank line, with less room round it.
    struct Layout {
        OverlayFont font;
        bool compact;
        int padding;
        int margin;
        bool shows(int line) const { return !compact || (line != 0 && panel.lines[line][0] != '\0'); }
    };
    const Layout layouts[] = {{OverlayFont::Large, false, kOverlayPadding, kOverlayMargin},
                              {OverlayFont::Normal, false, kOverlayPadding, kOverlayMargin},
                              {OverlayFont::Small, true, kOverlayPadding / 2, kOverlayMargin / 2}};
    Layout chosen = layouts[2];
    int panelWidth = 0;
    int panelHeight = 0;
    for (const Layout& layout : layouts) {
        int longest = 0;
        int lines = 0;
        for (int i = 0; i < panel.count; ++i) {
            if (!layout.shows(i)) continue;
            longest = std::max(longest, overlayTextWidth(layout.font, panel.lines[i]));
            ++lines;
        }
        panelWidth = longest + 2 * layout.padding;
        panelHeight = lines * overlayLineHeight(layout.font) + 2 * layout.padding;
        chosen = layout;
        if (panelWidth <= width - 2 * layout.margin && panelHeight <= height - 2 * layout.margin) break;
    }
    // The panel hangs from the top left.
    const int left = chosen.margin;
    const int top = height - chosen.margin;
    const int lineHeight = overlayLineHeight(chosen.font);

    beginWindowOverlay(width, height);
    drawOverlayPanel(left, top - panelHeight, left + panelWidth, top);
    int line = 0;
    for (int i = 0; i < panel.count; ++i) {
        if (!chosen.shows(i)) continue;
        ++line;
        drawOverlayText(chosen.font, left + chosen.padding,
                        top - chosen.padding - line * lineHeight + (lineHeight - 10) / 2 + 1, panel.lines[i]);
    }
    endWindowOverlay();
}
