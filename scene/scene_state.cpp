#include "scene/scene_state.h"

#include "geometry/scalar_helpers.h"

SceneState::SceneState()
    : turnLeftMatrix(0.0, DegToRad(-2.0), 0.0), turnRightMatrix(0.0, DegToRad(2.0), 0.0) {}

SceneState scene;

void resetSceneState() { scene = SceneState(); }
