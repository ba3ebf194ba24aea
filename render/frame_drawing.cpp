#include "render/frame_drawing.h"

#include <GL/glut.h>

#include "effects/inspect_mode.h"
#include "effects/view_state.h"
#include "render/collision_view_drawing.h"
#include "render/explosion_drawing.h"
#include "render/help_overlay_drawing.h"
#include "render/shot_drawing.h"
#include "render/textured_vertex.h"
#include "scene/scene_state.h"

namespace {

// Texture indices into scene.textureNames.
constexpr int kSolidsTexture = 0;
constexpr int kFloorTexture = 2;
constexpr int kWallTexture = 3;
constexpr int kSkyTexture = 4;

GLUquadric* quadric() { return static_cast<GLUquadric*>(scene.quadric); }

void translateTo(const Vector3& p) {
    glTranslatef(static_cast<GLfloat>(p.x), static_cast<GLfloat>(p.y), static_cast<GLfloat>(p.z));
}

void placeCamera() {
    CameraView view = advanceCamera();
    gluLookAt(view.eye.x, view.eye.y, view.eye.z, view.center.x, view.center.y, view.center.z, 0.0, 1.0, 0.0);
}

void drawBalls() {
    for (int i = 0; i < kMaxBalls; ++i) {
        if (!scene.ballAlive[i]) continue;
        const Vector3& color = scene.ballColors[i];
        glColor3f(static_cast<GLfloat>(color.x), static_cast<GLfloat>(color.y), static_cast<GLfloat>(color.z));
        glPushMatrix();
        translateTo(scene.ballPositions[i]);
        glutSolidSphere(scene.ballRadius, 20, 20);
        glPopMatrix();
    }
}

// Every face winds counter-clockwise seen from inside, so a face the camera
// stands behind is culled and the room is seen through it.
void drawRoom() {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, scene.textureNames[kWallTexture]);
    glColor3f(1.0f, 1.0f, 1.0f);
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

    glBindTexture(GL_TEXTURE_2D, scene.textureNames[kFloorTexture]);
    glBegin(GL_QUADS);
    texturedVertex(2, 0, -320, -320, 320);
    texturedVertex(2, 2, 320, -320, 320);
    texturedVertex(0, 2, 320, -320, -320);
    texturedVertex(0, 0, -320, -320, -320);
    glEnd();
}

void drawCylinder(GLdouble base, GLdouble top, GLdouble height) {
    gluCylinder(quadric(), base, top, height, 20, 2);
}

// Pillars, cones and domes, all carrying the solids texture.
void drawObstacles() {
    glBindTexture(GL_TEXTURE_2D, scene.textureNames[kSolidsTexture]);

    glColor3f(0.5f, 0.5f, 0.5f);
    glPushMatrix();
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, -500.0f);
    drawCylinder(60.0, 60.0, 1000.0);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(200.0f, -300.0f, -500.0f);
    drawCylinder(60.0, 60.0, 1000.0);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(-200.0f, 0.0f, 0.0f);
    glRotatef(135.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, -500.0f);
    drawCylinder(30.0, 30.0, 1000.0);
    glPopMatrix();

    glColor3f(0.4f, 0.4f, 0.6f);
    glPushMatrix();
    glTranslatef(-140.0f, -340.0f, -90.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    drawCylinder(50.0, 0.0, 290.0);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(0.0f, -350.0f, 230.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    drawCylinder(55.0, 0.0, 150.0);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(100.0f, -120.0f, 0.0f);
    glRotatef(45.0f, 0.0f, 0.0f, 1.0f);
    glTranslatef(0.0f, -290.0f, 0.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    drawCylinder(50.0, 0.0, 290.0);
    glPopMatrix();

    glColor3f(1.0f, 0.5f, 0.5f);
    glPushMatrix();
    glTranslatef(-200.0f, -300.0f, 170.0f);
    gluSphere(quadric(), 100.0, 30, 30);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(0.0f, -300.0f, -170.0f);
    gluSphere(quadric(), 80.0, 30, 30);
    glPopMatrix();
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
void drawGlowSpheres() {
    glColor4f(1.0f, 1.0f, 0.0f, 1.0f - scene.glowPulse);
    for (int c = 0; c < 3; ++c) {
        glPushMatrix();
        float pulse = advanceGlowPulse();
        translateTo(scene.obstacleCones[c].apex);
        glScalef(pulse, pulse, pulse);
        glutSolidSphere(4 * scene.ballRadius, 20, 20);
        glPopMatrix();
    }
}

}  // namespace

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

void drawFrame() {
    beginViewFrame();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    placeCamera();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    drawBackdrop(scene.textureNames[kSkyTexture]);
    drawBalls();
    drawRoom();
    drawObstacles();
    drawCeiling();

    glDepthMask(GL_FALSE);
    drawGlowSpheres();
    drawExplosions();

    glDepthMask(GL_TRUE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    drawShots();

    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    drawCollisionView();
    drawHelpOverlay();
    glutSwapBuffers();
}
