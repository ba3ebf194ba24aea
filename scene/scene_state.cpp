#include "scene/scene_state.h"

#include "geometry/scalar_helpers.h"

SceneState::SceneState()
    : turnLeftMatrix(0.0, DegToRad(-2.0), 0.0), turnRightMatrix(0.0, DegToRad(2.0), 0.0) {}

SceneState scene;

void resetSceneState() { scene = SceneState(); }

int liveBallCount() {
    int count = 0;
    for (int k = 0; k < kMaxBalls; ++k) count += scene.ballAlive[k] != 0 ? 1 : 0;
    return count;
}

int liveShotCount() {
    int count = 0;
    for (const Shot& shot : scene.shots) count += shot.life != 0 ? 1 : 0;
    return count;
}
