// Vennaloft: balls bouncing through a room of pillars, cones and domes.
// Start-up builds the scene, opens the window and hands over to the
// toolkit's main loop, which never returns.

#include <cstdlib>
#include <ctime>

#include <GL/glut.h>

#include "app/command_line.h"
#include "app/glut_callbacks.h"
#include "app/mouse_actions.h"
#include "app/pick_ray.h"
#include "app/scene_layout.h"
#include "app/scene_state.h"
#include "physics/simulation_step.h"
#include "platform/clock.h"
#include "platform/random_source.h"
#include "platform/sdl_cue_player.h"
#include "render/frame_drawing.h"
#include "render/graphics_setup.h"

namespace {

// Test hook: window tests set VENNALOFT_SEED to a decimal number so that the
// balls land on the same slots with the same colours in every run. Without
// it (or with anything that is not a whole number) the clock seeds, so each
// run looks different.
unsigned int startSeed() {
    const char* text = std::getenv("VENNALOFT_SEED");
    if (text != nullptr && *text != '\0') {
        char* end = nullptr;
        unsigned long seed = std::strtoul(text, &end, 10);
        if (*end == '\0') return static_cast<unsigned int>(seed);
    }
    return static_cast<unsigned int>(std::time(nullptr));
}

}  // namespace

int main(int argc, char** argv) {
    int fullScreen = readOptions(argc, argv);
    buildSceneGeometry();

    // GLU allocates the quadric without a context, so it can exist before the window.
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricTexture(quadric, GL_TRUE);
    scene.quadric = quadric;

    seedRandom(startSeed());
    placeBalls();
    drawBallColors();
    clearEffects();

    glutInit(&argc, argv);
    setClockSource(glutElapsedMilliseconds);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(scene.windowSize[0], scene.windowSize[1]);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Vennaloft by Orlaskin");
    if (fullScreen) glutFullScreen();

    setUpGraphics();
    setPickRaySource(pickRay);
    startSdlCuePlayer();

    glutReshapeFunc(onReshape);
    glutSpecialFunc(onSpecialKey);
    glutSpecialUpFunc(onSpecialKeyUp);
    glutKeyboardFunc(onKey);
    glutIgnoreKeyRepeat(1);
    glutMouseFunc(handleMouseButton);
    // Dragging or not, the pointer position is kept the same way.
    glutMotionFunc(handleMouseMotion);
    glutPassiveMotionFunc(handleMouseMotion);
    glutEntryFunc(onEntry);
    glutWindowStatusFunc(onWindowStatus);
    glutSetCursor(GLUT_CURSOR_CROSSHAIR);
    installStepHooks();
    glutIdleFunc(simulationStep);
    glutDisplayFunc(drawFrame);

    glutMainLoop();
    return 0;
}
