#include "app/scene_start.h"

#include <GL/glu.h>

#include "app/live_readings.h"
#include "app/pick_ray.h"
#include "app/session.h"
#include "app/start_up.h"
#include "render/graphics_setup.h"

void layOutScene(unsigned int seed) {
    // GLU allocates the quadric without a context, so it can exist before the window.
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricTexture(quadric, GL_TRUE);
    graphics.quadric = quadric;

    layOutSimulation(seed);
}

void startSessionInWindow(const Recording* replay) {
    setUpGraphics();
    setPickRaySource(pickRay);
    startSession();
    if (replay != nullptr) startReplay(*replay, ReplayReport::OnStandardError);
}
