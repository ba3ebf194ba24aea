#include "app/pick_ray.h"

#include <GL/gl.h>
#include <GL/glu.h>

Vector3 pickRay(int x, int y) {
    GLint viewport[4];
    GLdouble modelview[16];
    GLdouble projection[16];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);

    // The toolkit counts rows from the top, GL from the bottom.
    GLdouble winY = viewport[3] - y - 1;

    GLdouble nearX = 0.0, nearY = 0.0, nearZ = 0.0;
    GLdouble farX = 0.0, farY = 0.0, farZ = 0.0;
    gluUnProject(x, winY, 0.0, modelview, projection, viewport, &nearX, &nearY, &nearZ);
    gluUnProject(x, winY, 1.0, modelview, projection, viewport, &farX, &farY, &farZ);

    Vector3 direction(farX - nearX, farY - nearY, farZ - nearZ);
    return direction.Normalise();
}

bool pickLine(int x, int y, Vector3& from, Vector3& direction) {
    GLint viewport[4];
    GLdouble modelview[16];
    GLdouble projection[16];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    const GLdouble winY = viewport[3] - y - 1;
    GLdouble n[3] = {};
    GLdouble f[3] = {};
    if (gluUnProject(x, winY, 0.0, modelview, projection, viewport, &n[0], &n[1], &n[2]) != GL_TRUE ||
        gluUnProject(x, winY, 1.0, modelview, projection, viewport, &f[0], &f[1], &f[2]) != GL_TRUE) {
        return false;
    }
    from = Vector3(n[0], n[1], n[2]);
    direction = Vector3(f[0] - n[0], f[1] - n[1], f[2] - n[2]);
    direction.Normalise();
    return direction.IsValid() != 0;
}
