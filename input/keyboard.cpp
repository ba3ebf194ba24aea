#include "input/keyboard.h"

#include "effects/inspect_mode.h"
#include "effects/screenshot_notice.h"
#include "input/key_codes.h"
#include "input/key_table.h"

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
    const Key* pressed = keyFor(KeyKind::Special, key, modifiers);
    if (pressed == nullptr) return;
    switch (pressed->action) {
    case KeyAction::Faster:
        s.controls.timeStep += 0.1;
        if (s.controls.timeStep > 0.8) s.controls.timeStep = static_cast<double>(kMaxTimeStep);
        s.controls.activeTimeStep = s.controls.timeStep;
        break;
    case KeyAction::Slower:
        s.controls.timeStep -= 0.1;
        if (s.controls.timeStep < 0.0) s.controls.timeStep = 0.0;
        s.controls.activeTimeStep = s.controls.timeStep;
        break;
    case KeyAction::ChaseBall:
        startFollowingBall(s);
        break;
    case KeyAction::FreeCamera:
        s.controls.followedShot = -1;
        s.controls.followBall = 0;
        s.controls.activeTimeStep = s.controls.timeStep;
        break;
    case KeyAction::AutoFire:
        s.controls.autoFire ^= 1;
        break;
    case KeyAction::ThrowMode:
        s.controls.launchMode ^= 1;
        break;
    case KeyAction::Sound:
        s.controls.soundOn ^= 1;
        break;
    case KeyAction::Reset:
        s.controls.resetRequested = 1;
        break;
    case KeyAction::CircleLeft:
        s.controls.leftKeyDown = 1;
        break;
    case KeyAction::CameraForward:
        s.controls.upKeyDown = 1;
        break;
    case KeyAction::CircleRight:
        s.controls.rightKeyDown = 1;
        break;
    case KeyAction::CameraBack:
        s.controls.downKeyDown = 1;
        break;
    case KeyAction::CameraHome: {
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
    const Key* let = keyFor(KeyKind::Special, key, 0);
    if (let == nullptr) return;
    switch (let->action) {
    case KeyAction::CircleLeft:
        s.controls.leftKeyDown = 0;
        break;
    case KeyAction::CameraForward:
        s.controls.upKeyDown = 0;
        break;
    case KeyAction::CircleRight:
        s.controls.rightKeyDown = 0;
        break;
    case KeyAction::CameraBack:
        s.controls.downKeyDown = 0;
        break;
    default:
        break;
    }
}

void handleKey(Simulation& s, ViewerState& viewer, CornerNotices& notices, unsigned char key, Readings& readings) {
    const Key* pressed = keyFor(KeyKind::Letter, key, 0);
    if (pressed == nullptr) return;
    switch (pressed->action) {
    case KeyAction::Pause:
        togglePause(s, readings);
        break;
    case KeyAction::CollisionView:
        toggleCollisionView(viewer);
        break;
    case KeyAction::CollisionLayers:
        pickCollisionLayers(viewer);
        break;
    case KeyAction::Help:
        toggleHelpOverlay(viewer);
        break;
    case KeyAction::Screenshot:
        requestScreenshot(notices);
        break;
    case KeyAction::Inspect:
        viewer.inspectMode ^= 1;
        break;
    case KeyAction::SmoothMotion:
        viewer.smoothMotion ^= 1;
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
