#include "app/scene_start.h"

#include <GL/glu.h>

#include "platform/random_source.h"
#include "scene/scene_layout.h"
#include "scene/scene_state.h"

void layOutScene(unsigned int seed) {
    buildSceneGeometry();

    // GLU allocates the quadric without a context, so it can exist before the window.
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricTexture(quadric, GL_TRUE);
    scene.quadric = quadric;

    scene.randomSeed = seed;
    seedRandom(sim.random, scene.randomSeed);
    placeBalls();
    drawBallColors();
    clearEffects();
}
