#include "scene/scene_state.h"

SceneState scene;

void resetSceneState() {
    scene = SceneState();
    sim = Simulation();
}
