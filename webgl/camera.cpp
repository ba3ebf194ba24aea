#define VL_WEBGL_NO_RENAMING
#include <GL/glu.h>

#include <cmath>

// gluLookAt (the emulation's leaves the matrix unchanged) and glGetDoublev,
// which the emulation lacks, for the matrices the picking reads.

namespace {

void normalise(double v[3]) {
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0.0) return;
    for (int i = 0; i < 3; ++i) v[i] /= length;
}

void cross(const double a[3], const double b[3], double out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

extern "C" {

void vlLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY, GLdouble centreZ,
              GLdouble upX, GLdouble upY, GLdouble upZ) {
    double forward[3] = {centreX - eyeX, centreY - eyeY, centreZ - eyeZ};
    normalise(forward);
    const double up[3] = {upX, upY, upZ};
    double side[3];
    cross(forward, up, side);
    normalise(side);
    double trueUp[3];
    cross(side, forward, trueUp);
    // Column-major: the rows of the rotation are side, up and -forward.
    const GLfloat m[16] = {static_cast<GLfloat>(side[0]), static_cast<GLfloat>(trueUp[0]), static_cast<GLfloat>(-forward[0]), 0.0f,
                           static_cast<GLfloat>(side[1]), static_cast<GLfloat>(trueUp[1]), static_cast<GLfloat>(-forward[1]), 0.0f,
                           static_cast<GLfloat>(side[2]), static_cast<GLfloat>(trueUp[2]), static_cast<GLfloat>(-forward[2]), 0.0f,
                           0.0f, 0.0f, 0.0f, 1.0f};
    glMultMatrixf(m);
    glTranslated(-eyeX, -eyeY, -eyeZ);
}

void glGetDoublev(GLenum name, GLdouble* values) {
    GLfloat floats[16] = {};
    glGetFloatv(name, floats);
    const int count = (name == GL_MODELVIEW_MATRIX || name == GL_PROJECTION_MATRIX) ? 16 : 1;
    for (int i = 0; i < count; ++i) values[i] = floats[i];
}

}  // extern "C"
