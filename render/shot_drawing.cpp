#include "render/shot_drawing.h"

#include <GL/gl.h>


namespace {

constexpr double kTailLength = 40.0;
constexpr double kTailDrop = 5.0;

}  // namespace

void drawShots(const Simulation& s) {
    for (int i = 0; i < kShotCount; ++i) {
        const Shot& shot = s.shots[i];
        if (shot.life == 0) continue;

        glBegin(GL_LINES);
        glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
        glVertex3f(static_cast<GLfloat>(shot.position.x), static_cast<GLfloat>(shot.position.y),
                   static_cast<GLfloat>(shot.position.z));
        Vector3 u = Unit(shot.velocity);
        glColor4f(1.0f, 1.0f, 0.0f, 0.0f);
        glVertex3f(static_cast<GLfloat>(shot.position.x - kTailLength * u.x),
                   static_cast<GLfloat>(shot.position.y - kTailLength * u.y - kTailDrop),
                   static_cast<GLfloat>(shot.position.z - kTailLength * u.z));
        glEnd();
    }
}
