#include "render/help_overlay_drawing.h"

#include "input/help_text.h"
#include "physics/simulation_step.h"
#include "platform/clock.h"
#include "platform/sound.h"

namespace {

long framesDrawn = 0;
RateMeter frameMeter;
RateMeter stepMeter;

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

void countFrameForRates(const Simulation& s) {
    ++framesDrawn;
    const int now = elapsedMilliseconds();
    frameMeter.note(now, framesDrawn);
    stepMeter.note(now, s.stats.stepNumber);
}
