#include "input/keyboard.h"

#include "effects/inspect_mode.h"
#include "effects/screenshot_notice.h"
#include "effects/view_state.h"
#include "input/key_codes.h"
#include "scene/scene_state.h"

namespace {

// Fastest step the user can choose; stored through a float, so the cap is
// 0.800000011920929 rather than 0.8.
constexpr float kMaxTimeStep = 0.8f;

void startFollowingBall() {
    if (sim.controls.followedShot != -1 || sim.controls.followBall != 0) return;
    sim.controls.followBall = 1;
    primeChaseTrail(sim.ballPositions[0], sim.ballVelocities[0]);
}

}  // namespace

void handleSpecialKey(int key, int modifiers) {
    // Control alone is ignored; with Shift or Alt added the key counts.
    if (modifiers == kModifierCtrl) return;
    switch (key) {
    case kKeyF1:
        sim.controls.timeStep += 0.1;
        if (sim.controls.timeStep > 0.8) sim.controls.timeStep = static_cast<double>(kMaxTimeStep);
        sim.controls.activeTimeStep = sim.controls.timeStep;
        break;
    case kKeyF2:
        sim.controls.timeStep -= 0.1;
        if (sim.controls.timeStep < 0.0) sim.controls.timeStep = 0.0;
        sim.controls.activeTimeStep = sim.controls.timeStep;
        break;
    case kKeyF3:
        startFollowingBall();
        break;
    case kKeyF4:
        sim.controls.followedShot = -1;
        sim.controls.followBall = 0;
        sim.controls.activeTimeStep = sim.controls.timeStep;
        break;
    case kKeyF5:
        sim.controls.autoFire ^= 1;
        break;
    case kKeyF6:
        sim.controls.launchMode ^= 1;
        break;
    case kKeyF7:
        sim.controls.soundOn ^= 1;
        break;
    case kKeyF8:
        sim.controls.resetRequested = 1;
        break;
    case kKeyLeft:
        sim.controls.leftKeyDown = 1;
        break;
    case kKeyUp:
        sim.controls.upKeyDown = 1;
        break;
    case kKeyRight:
        sim.controls.rightKeyDown = 1;
        break;
    case kKeyDown:
        sim.controls.downKeyDown = 1;
        break;
    default:
        break;
    }
}

void handleSpecialKeyUp(int key) {
    switch (key) {
    case kKeyLeft:
        sim.controls.leftKeyDown = 0;
        break;
    case kKeyUp:
        sim.controls.upKeyDown = 0;
        break;
    case kKeyRight:
        sim.controls.rightKeyDown = 0;
        break;
    case kKeyDown:
        sim.controls.downKeyDown = 0;
        break;
    default:
        break;
    }
}

void handleKey(unsigned char key) {
    switch (key) {
    case 'p':
    case 'P':
        togglePause();
        break;
    case 'o':
    case 'O':
        requestSingleStep();
        break;
    case 'v':
        toggleCollisionView();
        break;
    case 'V':
        pickCollisionLayers();
        break;
    case 'h':
    case 'H':
        toggleHelpOverlay();
        break;
    case 's':
    case 'S':
        requestScreenshot();
        break;
    default:
        break;
    }
}

void releaseHeldInput() {
    sim.controls.leftKeyDown = 0;
    sim.controls.upKeyDown = 0;
    sim.controls.rightKeyDown = 0;
    sim.controls.downKeyDown = 0;
    sim.controls.leftButtonDown = 0;
}
