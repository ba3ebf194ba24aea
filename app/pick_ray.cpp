#include "app/pick_ray.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

// The points under the pointer on the near and far planes, through the last
// frame's matrices. False when the matrices cannot be inverted.
bool unprojectEnds(int x, int y, GLdouble n[3], GLdouble f[3]) {
    GLint viewport[4];
    GLdouble modelview[16];
    GLdouble projection[16];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);

    // The toolkit counts rows from the top, GL from the bottom.
    const GLdouble winY = viewport[3] - y - 1;
    const bool nearDone = gluUnProject(x, winY, 0.0, modelview, projection, viewport, &n[0], &n[1], &n[2]) == GL_TRUE;
    const bool farDone = gluUnProject(x, winY, 1.0, modelview, projection, viewport, &f[0], &f[1], &f[2]) == GL_TRUE;
    return nearDone && farDone;
}

}  // namespace

Vector3 pickRay(int x, int y) {
    GLdouble n[3] = {};
    GLdouble f[3] = {};
    unprojectEnds(x, y, n, f);
    Vector3 direction(f[0] - n[0], f[1] - n[1], f[2] - n[2]);
    return direction.Normalise();
}

bool pickLine(int x, int y, Vector3& from, Vector3& direction) {
    GLdouble n[3] = {};
    GLdouble f[3] = {};
    if (!unprojectEnds(x, y, n, f)) return false;
    from = Vector3(n[0], n[1], n[2]);
    direction = Vector3(f[0] - n[0], f[1] - n[1], f[2] - n[2]);
    direction.Normalise();
    return direction.IsValid() != 0;
}
