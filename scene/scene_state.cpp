#include "scene/scene_state.h"

SceneState scene;

void resetSceneState(Simulation& s) {
    scene = SceneState();
    s = Simulation();
}
