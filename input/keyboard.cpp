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
    if (scene.followedShot != -1 || scene.followBall != 0) return;
    scene.followBall = 1;
    primeChaseTrail(scene.ballPositions[0], scene.ballVelocities[0]);
}

}  // namespace

void handleSpecialKey(int key, int modifiers) {
    // Control alone is ignored; with Shift or Alt added the key counts.
    if (modifiers == kModifierCtrl) return;
    switch (key) {
    case kKeyF1:
        scene.timeStep += 0.1;
        if (scene.timeStep > 0.8) scene.timeStep = static_cast<double>(kMaxTimeStep);
        scene.activeTimeStep = scene.timeStep;
        break;
    case kKeyF2:
        scene.timeStep -= 0.1;
        if (scene.timeStep < 0.0) scene.timeStep = 0.0;
        scene.activeTimeStep = scene.timeStep;
        break;
    case kKeyF3:
        startFollowingBall();
        break;
    case kKeyF4:
        scene.followedShot = -1;
        scene.followBall = 0;
        scene.activeTimeStep = scene.timeStep;
        break;
    case kKeyF5:
        scene.autoFire ^= 1;
        break;
    case kKeyF6:
        scene.launchMode ^= 1;
        break;
    case kKeyF7:
        scene.soundOn ^= 1;
        break;
    case kKeyF8:
        scene.resetRequested = 1;
        break;
    case kKeyLeft:
        scene.leftKeyDown = 1;
        break;
    case kKeyUp:
        scene.upKeyDown = 1;
        break;
    case kKeyRight:
        scene.rightKeyDown = 1;
        break;
    case kKeyDown:
        scene.downKeyDown = 1;
        break;
    default:
        break;
    }
}

void handleSpecialKeyUp(int key) {
    switch (key) {
    case kKeyLeft:
        scene.leftKeyDown = 0;
        break;
    case kKeyUp:
        scene.upKeyDown = 0;
        break;
    case kKeyRight:
        scene.rightKeyDown = 0;
        break;
    case kKeyDown:
        scene.downKeyDown = 0;
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
    case 'V':
        toggleCollisionView();
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
    scene.leftKeyDown = 0;
    scene.upKeyDown = 0;
    scene.rightKeyDown = 0;
    scene.downKeyDown = 0;
    scene.leftButtonDown = 0;
}
