#include "render/graphics_setup.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/frame_drawing.h"
#include "render/texture_upload.h"
#include "render/textured_vertex.h"

namespace {

constexpr double kFieldOfView = 50.0;
constexpr double kNearPlane = 20.0;
constexpr double kFarPlane = 3700.0;

const GLfloat kShininess = 100.0f;
const GLfloat kMaterialSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat kLight0Position[4] = {0.0f, 400.0f, 0.0f, 1.0f};
const GLfloat kLight0Ambient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
const GLfloat kSceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
// Keeps everything no more than 280 units below the eye (eye coordinates).
const GLdouble kClipPlane0[4] = {0.0, 1.0, 0.0, 280.0};

// The program's perspective for the given aspect; leaves the modelview
// matrix current.
void setPerspective(double aspect) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, aspect, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
}

// Two crossed 100 x 80 rectangles, each drawn once per facing so that one
// face of each survives back-face culling from any side.
void compileExplosionQuads() {
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    texturedVertex(0, 0, -50, -40, 0);
    texturedVertex(0, 1, 50, -40, 0);
    texturedVertex(1, 1, 50, 40, 0);
    texturedVertex(1, 0, -50, 40, 0);

    glNormal3f(0.0f, 0.0f, -1.0f);
    texturedVertex(0, 0, -50, 40, 0);
    texturedVertex(0, 1, 50, 40, 0);
    texturedVertex(1, 1, 50, -40, 0);
    texturedVertex(1, 0, -50, -40, 0);

    glNormal3f(1.0f, 0.0f, 0.0f);
    texturedVertex(0, 0, 0, -40, 50);
    texturedVertex(0, 1, 0, -40, -50);
    texturedVertex(1, 1, 0, 40, -50);
    texturedVertex(1, 0, 0, 40, 50);

    glNormal3f(-1.0f, 0.0f, 0.0f);
    texturedVertex(0, 0, 0, 40, 50);
    texturedVertex(0, 1, 0, 40, -50);
    texturedVertex(1, 1, 0, -40, -50);
    texturedVertex(1, 0, 0, -40, 50);
    glEnd();
}

}  // namespace

GraphicsState graphics;

void setUpGraphics() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    // Aspect 1 until the first reshape, which comes before any frame.
    setPerspective(1.0);

    // Identity modelview: the light and the clip plane below are given in
    // eye coordinates and so travel with the camera.
    glLoadIdentity();

    glShadeModel(GL_SMOOTH);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);

    glMaterialfv(GL_FRONT, GL_SPECULAR, kMaterialSpecular);
    glMaterialfv(GL_FRONT, GL_SHININESS, &kShininess);
    glEnable(GL_LIGHTING);

    glLightfv(GL_LIGHT0, GL_POSITION, kLight0Position);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kLight0Ambient);
    glEnable(GL_LIGHT0);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, kSceneAmbient);

    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);

    // Every translucent effect adds its colour weighted by its alpha.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);

    glLineWidth(2.0f);

    glEnable(GL_CLIP_PLANE0);
    glClipPlane(GL_CLIP_PLANE0, kClipPlane0);

    glEnable(GL_TEXTURE_2D);
    loadTextures();

    graphics.explosionList = glGenLists(1);
    glNewList(graphics.explosionList, GL_COMPILE);
    compileExplosionQuads();
    glEndList();

    compileFrameLists();
}

void onReshape(int width, int height) {
    graphics.windowSize[0] = width;
    graphics.windowSize[1] = height;
    glViewport(0, 0, width, height);

    // A minimised window reports height 0; keep the aspect finite.
    int aspectHeight = height > 0 ? height : 1;
    setPerspective(static_cast<double>(width) / static_cast<double>(aspectHeight));
}
