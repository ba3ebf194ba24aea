#include "input/keyboard.h"

#include "effects/inspect_mode.h"
#include "effects/screenshot_notice.h"
#include "input/key_codes.h"
#include "scene/scene_state.h"

namespace {

// Fastest step the user can choose; stored through a float, so the cap is
// 0.800000011920929 rather than 0.8.
constexpr float kMaxTimeStep = 0.8f;

void startFollowingBall(Simulation& s) {
    if (s.controls.followedShot != -1 || s.controls.followBall != 0) return;
    s.controls.followBall = 1;
}

}  // namespace

void handleSpecialKey(Simulation& s, int key, int modifiers) {
    // Control alone is ignored; with Shift or Alt added the key counts.
    if (modifiers == kModifierCtrl) return;
    switch (key) {
    case kKeyF1:
        s.controls.timeStep += 0.1;
        if (s.controls.timeStep > 0.8) s.controls.timeStep = static_cast<double>(kMaxTimeStep);
        s.controls.activeTimeStep = s.controls.timeStep;
        break;
    case kKeyF2:
        s.controls.timeStep -= 0.1;
        if (s.controls.timeStep < 0.0) s.controls.timeStep = 0.0;
        s.controls.activeTimeStep = s.controls.timeStep;
        break;
    case kKeyF3:
        startFollowingBall(s);
        break;
    case kKeyF4:
        s.controls.followedShot = -1;
        s.controls.followBall = 0;
        s.controls.activeTimeStep = s.controls.timeStep;
        break;
    case kKeyF5:
        s.controls.autoFire ^= 1;
        break;
    case kKeyF6:
        s.controls.launchMode ^= 1;
        break;
    case kKeyF7:
        s.controls.soundOn ^= 1;
        break;
    case kKeyF8:
        s.controls.resetRequested = 1;
        break;
    case kKeyLeft:
        s.controls.leftKeyDown = 1;
        break;
    case kKeyUp:
        s.controls.upKeyDown = 1;
        break;
    case kKeyRight:
        s.controls.rightKeyDown = 1;
        break;
    case kKeyDown:
        s.controls.downKeyDown = 1;
        break;
    case kKeyHome: {
        // Where a new scene puts it; the yaw too, since automatic fire aims by it.
        const SimControls start;
        s.controls.cameraPosition = start.cameraPosition;
        s.controls.viewDirection = start.viewDirection;
        s.controls.cameraYaw = start.cameraYaw;
        break;
    }
    default:
        break;
    }
}

void handleSpecialKeyUp(Simulation& s, int key) {
    switch (key) {
    case kKeyLeft:
        s.controls.leftKeyDown = 0;
        break;
    case kKeyUp:
        s.controls.upKeyDown = 0;
        break;
    case kKeyRight:
        s.controls.rightKeyDown = 0;
        break;
    case kKeyDown:
        s.controls.downKeyDown = 0;
        break;
    default:
        break;
    }
}

void handleKey(Simulation& s, unsigned char key) {
    switch (key) {
    case 'p':
    case 'P':
        togglePause(s);
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
    case 'i':
    case 'I':
        scene.inspectMode ^= 1;
        break;
    case 'm':
    case 'M':
        scene.smoothMotion ^= 1;
        break;
    default:
        break;
    }
}

void releaseHeldInput(Simulation& s) {
    s.controls.leftKeyDown = 0;
    s.controls.upKeyDown = 0;
    s.controls.rightKeyDown = 0;
    s.controls.downKeyDown = 0;
    s.controls.leftButtonDown = 0;
}
