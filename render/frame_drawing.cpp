#include "render/frame_drawing.h"

#include <GL/glut.h>

#include "effects/inspect_mode.h"
#include "effects/radius_keyed_list.h"
#include "effects/view_state.h"
#include "render/collision_view_drawing.h"
#include "render/explosion_drawing.h"
#include "render/graphics_setup.h"
#include "render/help_overlay_drawing.h"
#include "render/inspect_drawing.h"
#include "render/shot_drawing.h"
#include "render/textured_vertex.h"
#include "scene/obstacle_clearance.h"

namespace {

// Texture indices into graphics.textureNames.
constexpr int kSolidsTexture = 0;
constexpr int kFloorTexture = 2;
constexpr int kWallTexture = 3;
constexpr int kSkyTexture = 4;

GLUquadric* quadric() { return static_cast<GLUquadric*>(graphics.quadric); }

// Geometry that never changes is sent to the GL once, as display lists of
// vertices, normals and texture coordinates only: the colours, texture
// binds, blending and placing transforms stay in the passes below, where
// they were set before.
constexpr int kObstacleCount = 8;  // pillars 1 to 3, cones 1 to 3, domes 1 and 2
GLuint wallsList = 0;
GLuint obstacleLists[kObstacleCount] = {};
// The spheres depend on the ball radius and are compiled for the radius
// they are drawn at, again whenever it differs.
RadiusKeyedList ballSphere;
RadiusKeyedList glowSphere;

void translateTo(const Vector3& p) {
    glTranslatef(static_cast<GLfloat>(p.x), static_cast<GLfloat>(p.y), static_cast<GLfloat>(p.z));
}

void placeCamera(const CameraView& view) {
    gluLookAt(view.eye.x, view.eye.y, view.eye.z, view.center.x, view.center.y, view.center.z, 0.0, 1.0, 0.0);
}

GLuint sphereList(RadiusKeyedList& list, int radius) {
    if (list.needsRebuild(radius)) {
        if (list.name == 0) list.name = glGenLists(1);
        glNewList(list.name, GL_COMPILE);
        glutSolidSphere(radius, 20, 20);
        glEndList();
        list.radius = radius;
    }
    return list.name;
}

void drawBalls(const Simulation& s) {
    const GLuint sphere = sphereList(ballSphere, s.ballRadius);
    for (int i = 0; i < kMaxBalls; ++i) {
        if (!s.ballAlive[i]) continue;
        const Vector3& color = s.ballColors[i];
        glColor3f(static_cast<GLfloat>(color.x), static_cast<GLfloat>(color.y), static_cast<GLfloat>(color.z));
        glPushMatrix();
        translateTo(s.ballPositions[i]);
        glCallList(sphere);
        glPopMatrix();
    }
}

// Every face winds counter-clockwise seen from inside, so a face the camera
// stands behind is culled and the room is seen through it.
void emitWalls() {
    glBegin(GL_QUADS);
    // z = +320
    texturedVertex(2, 0, 320, 320, 320);
    texturedVertex(2, 2, 320, -320, 320);
    texturedVertex(0, 2, -320, -320, 320);
    texturedVertex(0, 0, -320, 320, 320);
    // z = -320
    texturedVertex(2, 0, -320, 320, -320);
    texturedVertex(2, 2, -320, -320, -320);
    texturedVertex(0, 2, 320, -320, -320);
    texturedVertex(0, 0, 320, 320, -320);
    // x = +320
    texturedVertex(2, 0, 320, 320, -320);
    texturedVertex(2, 2, 320, -320, -320);
    texturedVertex(0, 2, 320, -320, 320);
    texturedVertex(0, 0, 320, 320, 320);
    // x = -320
    texturedVertex(2, 0, -320, 320, 320);
    texturedVertex(2, 2, -320, -320, 320);
    texturedVertex(0, 2, -320, -320, -320);
    texturedVertex(0, 0, -320, 320, -320);
    glEnd();
}

void drawRoom() {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, graphics.textureNames[kWallTexture]);
    glColor3f(1.0f, 1.0f, 1.0f);
    glCallList(wallsList);

    // The floor and the ceiling stay single quads sent directly: compiled
    // into a list, the floor quad reached the rasteriser as other triangles
    // and some of its pixels moved by a colour step.
    glBindTexture(GL_TEXTURE_2D, graphics.textureNames[kFloorTexture]);
    glBegin(GL_QUADS);
    texturedVertex(2, 0, -320, -320, 320);
    texturedVertex(2, 2, 320, -320, 320);
    texturedVertex(0, 2, 320, -320, -320);
    texturedVertex(0, 0, -320, -320, -320);
    glEnd();
}

// The obstacle solids in their drawing order, each in its own local frame.
void emitObstacle(int k) {
    // Base radius, top radius and height of the pillars and cones.
    static const GLdouble kCylinders[6][3] = {
        {60.0, 60.0, 1000.0}, {60.0, 60.0, 1000.0}, {30.0, 30.0, 1000.0},
        {50.0, 0.0, 290.0},   {55.0, 0.0, 150.0},   {50.0, 0.0, 290.0}};
    if (k < 6) {
        gluCylinder(quadric(), kCylinders[k][0], kCylinders[k][1], kCylinders[k][2], 20, 2);
    } else {
        gluSphere(quadric(), kDomes[k - 6].radius, 30, 30);
    }
}

void drawObstacle(int k) { glCallList(obstacleLists[k]); }

// Pillars, cones and domes, all carrying the solids texture.
void drawObstacles() {
    glBindTexture(GL_TEXTURE_2D, graphics.textureNames[kSolidsTexture]);

    glColor3f(0.5f, 0.5f, 0.5f);
    glPushMatrix();
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, -500.0f);
    drawObstacle(0);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(200.0f, -300.0f, -500.0f);
    drawObstacle(1);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(-200.0f, 0.0f, 0.0f);
    glRotatef(135.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, -500.0f);
    drawObstacle(2);
    glPopMatrix();

    glColor3f(0.4f, 0.4f, 0.6f);
    glPushMatrix();
    glTranslatef(-140.0f, -340.0f, -90.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    drawObstacle(3);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(0.0f, -350.0f, 230.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    drawObstacle(4);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(100.0f, -120.0f, 0.0f);
    glRotatef(45.0f, 0.0f, 0.0f, 1.0f);
    glTranslatef(0.0f, -290.0f, 0.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    drawObstacle(5);
    glPopMatrix();

    glColor3f(1.0f, 0.5f, 0.5f);
    for (int d = 0; d < kDomeCount; ++d) {
        glPushMatrix();
        translateTo(kDomes[d].centre);
        drawObstacle(6 + d);
        glPopMatrix();
    }
}

// Translucent: adds its colour to whatever lies behind it.
void drawCeiling() {
    glEnable(GL_BLEND);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glVertex3f(-320.0f, 320.0f, 320.0f);
    glVertex3f(-320.0f, 320.0f, -320.0f);
    glVertex3f(320.0f, 320.0f, -320.0f);
    glVertex3f(320.0f, 320.0f, 320.0f);
    glEnd();
}

// Pulsing yellow spheres marking the cone tips. The alpha is taken from the
// pulse of the previous frame, before this frame moves it.
void drawGlowSpheres(const Simulation& s, const FrameLook& look) {
    const GLuint sphere = sphereList(glowSphere, 4 * s.ballRadius);
    glColor4f(1.0f, 1.0f, 0.0f, look.glowAlpha);
    for (int c = 0; c < kGlowSphereCount; ++c) {
        glPushMatrix();
        const float pulse = look.glowScales[c];
        translateTo(s.obstacleCones[c].apex);
        glScalef(pulse, pulse, pulse);
        glCallList(sphere);
        glPopMatrix();
    }
}

}  // namespace

void compileFrameLists() {
    wallsList = glGenLists(1);
    glNewList(wallsList, GL_COMPILE);
    emitWalls();
    glEndList();
    for (int k = 0; k < kObstacleCount; ++k) {
        obstacleLists[k] = glGenLists(1);
        glNewList(obstacleLists[k], GL_COMPILE);
        emitObstacle(k);
        glEndList();
    }
}

void drawBackdrop(unsigned int texture) {
    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glDepthMask(GL_FALSE);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glNormal3i(0, 1, 0);
    glTexCoord2i(0, 0);
    glVertex3i(-1, -1, 0);
    glTexCoord2i(1, 0);
    glVertex3i(1, -1, 0);
    glTexCoord2i(1, 1);
    glVertex3i(1, 1, 0);
    glTexCoord2i(0, 1);
    glVertex3i(-1, 1, 0);
    glEnd();
    glDepthMask(GL_TRUE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
}

void drawFrame(const Simulation& s, const FrameLook& look, const ViewerState& viewer) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    placeCamera(look.camera);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    drawBackdrop(graphics.textureNames[kSkyTexture]);
    drawBalls(s);
    drawRoom();
    drawObstacles();
    drawCeiling();

    glDepthMask(GL_FALSE);
    drawGlowSpheres(s, look);
    drawExplosions(s, look);

    glDepthMask(GL_TRUE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    drawShots(s);

    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    drawCollisionView(s, look, viewer);
    drawSelectionRing(s, viewer);
    countFrameForRates(s);
}
