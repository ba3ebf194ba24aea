#define VL_WEBGL_NO_RENAMING
#include <GL/glu.h>
#include <GL/glut.h>

#include <cmath>

// GLU's sphere and cylinder and GLUT's solid sphere, drawn through immediate
// mode (so display lists record them) with GLU's layout: z along the axis,
// outward normals, and texture coordinates when the quadric asks for them.

class GLUquadric {
public:
    bool texture = false;
};

namespace {

constexpr double kPi = 3.14159265358979323846;

void sphere(double radius, int slices, int stacks, bool texture) {
    if (slices < 2 || stacks < 1) return;
    for (int j = 0; j < stacks; ++j) {
        const double upper = kPi * j / stacks;
        const double lower = kPi * (j + 1) / stacks;
        vlBegin(GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            const double angle = 2.0 * kPi * (i == slices ? 0 : i) / slices;
            const double s = std::sin(angle), c = std::cos(angle);
            // The lower ring first, so that the strip faces outward.
            const double rings[2] = {lower, upper};
            const int ringStacks[2] = {j + 1, j};
            for (int k = 0; k < 2; ++k) {
                const double nx = s * std::sin(rings[k]), ny = c * std::sin(rings[k]), nz = std::cos(rings[k]);
                vlNormal3f(static_cast<GLfloat>(nx), static_cast<GLfloat>(ny), static_cast<GLfloat>(nz));
                if (texture)
                    vlTexCoord2f(static_cast<GLfloat>(1.0 - static_cast<double>(i) / slices),
                                 static_cast<GLfloat>(1.0 - static_cast<double>(ringStacks[k]) / stacks));
                vlVertex3f(static_cast<GLfloat>(radius * nx), static_cast<GLfloat>(radius * ny),
                           static_cast<GLfloat>(radius * nz));
            }
        }
        vlEnd();
    }
}

}  // namespace

extern "C" {

GLUquadric* gluNewQuadric(void) { return new GLUquadric; }

void gluDeleteQuadric(GLUquadric* quadric) { delete quadric; }

void gluQuadricTexture(GLUquadric* quadric, GLboolean texture) {
    if (quadric) quadric->texture = texture != GL_FALSE;
}

void gluSphere(GLUquadric* quadric, GLdouble radius, GLint slices, GLint stacks) {
    sphere(radius, slices, stacks, quadric && quadric->texture);
}

void glutSolidSphere(GLdouble radius, GLint slices, GLint stacks) { sphere(radius, slices, stacks, false); }

// From z = 0 (base radius) to z = height (top radius); the normals lean by
// the slope of the side.
void gluCylinder(GLUquadric* quadric, GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks) {
    if (slices < 2 || stacks < 1) return;
    const bool texture = quadric && quadric->texture;
    const double slope = base - top;
    const double length = std::sqrt(slope * slope + height * height);
    const double zNormal = length > 0.0 ? slope / length : 0.0;
    const double xyNormal = length > 0.0 ? height / length : 1.0;
    for (int j = 0; j < stacks; ++j) {
        const double z[2] = {height * j / stacks, height * (j + 1) / stacks};
        const double r[2] = {base - slope * j / stacks, base - slope * (j + 1) / stacks};
        vlBegin(GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            const double angle = 2.0 * kPi * (i == slices ? 0 : i) / slices;
            const double s = std::sin(angle), c = std::cos(angle);
            vlNormal3f(static_cast<GLfloat>(xyNormal * s), static_cast<GLfloat>(xyNormal * c),
                       static_cast<GLfloat>(zNormal));
            for (int k = 0; k < 2; ++k) {
                if (texture)
                    vlTexCoord2f(static_cast<GLfloat>(1.0 - static_cast<double>(i) / slices),
                                 static_cast<GLfloat>(static_cast<double>(j + k) / stacks));
                vlVertex3f(static_cast<GLfloat>(r[k] * s), static_cast<GLfloat>(r[k] * c), static_cast<GLfloat>(z[k]));
            }
        }
        vlEnd();
    }
}

}  // extern "C"
