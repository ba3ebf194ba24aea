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
