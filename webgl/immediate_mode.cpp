#define VL_WEBGL_NO_RENAMING
#include "webgl/immediate_mode.h"

#include <cmath>
#include <utility>
#include <vector>

#include "webgl/display_lists.h"
#include "webgl/gl_state.h"

namespace {

struct Vertex {
    GLfloat position[3];
    GLfloat normal[3];
    GLfloat texCoord[2];
    GLfloat color[4];
};

CurrentAttributes current;
GLenum primitiveMode = GL_POINTS;
bool insidePrimitive = false;
std::vector<Vertex> primitive;
// Finished primitives waiting to be drawn, by kind.
std::vector<Vertex> triangles;
std::vector<Vertex> lines;
std::vector<Vertex> points;
int holdDepth = 0;
bool clientArraysOn = false;

// GL's mapping of a signed integer component to [-1, 1]: 1 becomes 1 / (2^31 - 1).
GLfloat signedIntToFloat(GLint value) {
    const double mapped = value / 2147483647.0;
    return static_cast<GLfloat>(mapped < -1.0 ? -1.0 : mapped);
}

void addTriangle(int a, int b, int c) {
    triangles.push_back(primitive[a]);
    triangles.push_back(primitive[b]);
    triangles.push_back(primitive[c]);
}

void addLine(int a, int b) {
    lines.push_back(primitive[a]);
    lines.push_back(primitive[b]);
}

// Splits the finished primitive into independent triangles, lines or points,
// keeping each triangle's winding as GL would draw it.
void splitPrimitive() {
    const int n = static_cast<int>(primitive.size());
    switch (primitiveMode) {
    case GL_POINTS:
        points.insert(points.end(), primitive.begin(), primitive.end());
        break;
    case GL_LINES:
        for (int i = 0; i + 1 < n; i += 2) addLine(i, i + 1);
        break;
    case GL_LINE_STRIP:
        for (int i = 0; i + 1 < n; ++i) addLine(i, i + 1);
        break;
    case GL_LINE_LOOP:
        for (int i = 0; i + 1 < n; ++i) addLine(i, i + 1);
        if (n > 2) addLine(n - 1, 0);
        break;
    case GL_TRIANGLES:
        for (int i = 0; i + 2 < n; i += 3) addTriangle(i, i + 1, i + 2);
        break;
    case GL_TRIANGLE_STRIP:
        for (int i = 0; i + 2 < n; ++i) {
            if (i % 2 == 0) {
                addTriangle(i, i + 1, i + 2);
            } else {
                addTriangle(i + 1, i, i + 2);
            }
        }
        break;
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
        for (int i = 1; i + 1 < n; ++i) addTriangle(0, i, i + 1);
        break;
    case GL_QUADS:
        for (int i = 0; i + 3 < n; i += 4) {
            addTriangle(i, i + 1, i + 2);
            addTriangle(i, i + 2, i + 3);
        }
        break;
    case GL_QUAD_STRIP:
        for (int i = 0; i + 3 < n; i += 2) {
            addTriangle(i, i + 1, i + 3);
            addTriangle(i, i + 3, i + 2);
        }
        break;
    default:
        break;
    }
    primitive.clear();
}

// With colour material on, the colour also becomes the lit material, as GL
// does on every glColor.
void applyColorMaterial(const GLfloat* color) {
    const GLenum parameter = colorMaterialParameter();
    if (parameter == 0) return;
    if (parameter == GL_AMBIENT || parameter == GL_AMBIENT_AND_DIFFUSE) glMaterialfv(GL_FRONT, GL_AMBIENT, color);
    if (parameter == GL_DIFFUSE || parameter == GL_AMBIENT_AND_DIFFUSE) glMaterialfv(GL_FRONT, GL_DIFFUSE, color);
}

void drawVertices(std::vector<Vertex>& vertices, GLenum mode) {
    if (vertices.empty()) return;
    if (!clientArraysOn) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        clientArraysOn = true;
    }
    applyColorMaterial(vertices.back().color);
    const GLsizei stride = sizeof(Vertex);
    glVertexPointer(3, GL_FLOAT, stride, vertices[0].position);
    glNormalPointer(GL_FLOAT, stride, vertices[0].normal);
    glTexCoordPointer(2, GL_FLOAT, stride, vertices[0].texCoord);
    glColorPointer(4, GL_FLOAT, stride, vertices[0].color);
    glDrawArrays(mode, 0, static_cast<GLsizei>(vertices.size()));
    vertices.clear();
}

// ---- Wide lines. WebGL draws every line one pixel wide (the desktop's
// shots are two). A line wider than WebGL allows becomes a quad, widened as
// GL widens an aliased line: across its minor axis in window pixels (an
// x-major line covers `width` pixels in each column). The quad's corners
// are taken back through the inverse of projection times modelview, so the
// matrices, the clip plane and the depth test see object points as for any
// other primitive.

GLfloat widestNativeLine() {
    static GLfloat widest = 0.0f;
    if (widest == 0.0f) {
        GLfloat range[2] = {1.0f, 1.0f};
        glGetFloatv(GL_ALIASED_LINE_WIDTH_RANGE, range);
        widest = range[1] >= 1.0f ? range[1] : 1.0f;
    }
    return widest;
}

// Column-major 4 x 4 matrices, as GL keeps them.
void multiply(const double* a, const double* b, double* out) {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + r] * b[c * 4 + k];
            out[c * 4 + r] = sum;
        }
}

void transform(const double* m, const double* in, double* out) {
    for (int r = 0; r < 4; ++r) out[r] = m[r] * in[0] + m[4 + r] * in[1] + m[8 + r] * in[2] + m[12 + r] * in[3];
}

// Gauss-Jordan with partial pivoting; false for a singular matrix.
bool invert(const double* m, double* inverse) {
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = m[c * 4 + r];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
        if (a[pivot][c] == 0.0) return false;
        for (int k = 0; k < 8; ++k) std::swap(a[c][k], a[pivot][k]);
        const double scale = 1.0 / a[c][c];
        for (int k = 0; k < 8; ++k) a[c][k] *= scale;
        for (int r = 0; r < 4; ++r) {
            if (r == c) continue;
            const double f = a[r][c];
            for (int k = 0; k < 8; ++k) a[r][k] -= f * a[c][k];
        }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) inverse[c * 4 + r] = a[r][c + 4];
    return true;
}

Vertex blend(const Vertex& a, const Vertex& b, double t) {
    Vertex v = a;
    for (int i = 0; i < 3; ++i) v.position[i] = static_cast<GLfloat>(a.position[i] + (b.position[i] - a.position[i]) * t);
    for (int i = 0; i < 4; ++i) v.color[i] = static_cast<GLfloat>(a.color[i] + (b.color[i] - a.color[i]) * t);
    return v;
}

void widenLines(const std::vector<Vertex>& segments, GLfloat width, std::vector<Vertex>& quads) {
    GLfloat modelviewF[16], projectionF[16];
    GLint viewport[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelviewF);
    glGetFloatv(GL_PROJECTION_MATRIX, projectionF);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double modelview[16], projection[16], toClip[16], fromClip[16];
    for (int i = 0; i < 16; ++i) {
        modelview[i] = modelviewF[i];
        projection[i] = projectionF[i];
    }
    multiply(projection, modelview, toClip);
    if (!invert(toClip, fromClip) || viewport[2] <= 0 || viewport[3] <= 0) return;
    for (std::size_t i = 0; i + 1 < segments.size(); i += 2) {
        Vertex ends[2] = {segments[i], segments[i + 1]};
        double clip[2][4];
        for (int e = 0; e < 2; ++e) {
            const double p[4] = {ends[e].position[0], ends[e].position[1], ends[e].position[2], 1.0};
            transform(toClip, p, clip[e]);
        }
        // In front of the near plane only (z >= -w), cut where it crosses.
        const double d0 = clip[0][2] + clip[0][3], d1 = clip[1][2] + clip[1][3];
        if (d0 < 0.0 && d1 < 0.0) continue;
        if (d0 < 0.0 || d1 < 0.0) {
            const int behind = d0 < 0.0 ? 0 : 1;
            const double t = d0 / (d0 - d1);
            const double cut[4] = {clip[0][0] + (clip[1][0] - clip[0][0]) * t, clip[0][1] + (clip[1][1] - clip[0][1]) * t,
                                   clip[0][2] + (clip[1][2] - clip[0][2]) * t, clip[0][3] + (clip[1][3] - clip[0][3]) * t};
            ends[behind] = blend(segments[i], segments[i + 1], t);
            for (int k = 0; k < 4; ++k) clip[behind][k] = cut[k];
        }
        if (clip[0][3] <= 0.0 || clip[1][3] <= 0.0) continue;
        const double dx = (clip[1][0] / clip[1][3] - clip[0][0] / clip[0][3]) * viewport[2];
        const double dy = (clip[1][1] / clip[1][3] - clip[0][1] / clip[0][3]) * viewport[3];
        // Half the width, in normalised device units along the minor axis.
        const bool xMajor = std::fabs(dx) >= std::fabs(dy);
        const int axis = xMajor ? 1 : 0;
        const double half = width / (xMajor ? viewport[3] : viewport[2]);
        Vertex corner[2][2];
        for (int e = 0; e < 2; ++e)
            for (int side = 0; side < 2; ++side) {
                double moved[4] = {clip[e][0], clip[e][1], clip[e][2], clip[e][3]};
                moved[axis] += (side == 0 ? -half : half) * clip[e][3];
                double object[4];
                transform(fromClip, moved, object);
                Vertex v = ends[e];
                for (int k = 0; k < 3; ++k) v.position[k] = static_cast<GLfloat>(object[k] / object[3]);
                corner[e][side] = v;
            }
        quads.push_back(corner[0][0]);
        quads.push_back(corner[0][1]);
        quads.push_back(corner[1][1]);
        quads.push_back(corner[0][0]);
        quads.push_back(corner[1][1]);
        quads.push_back(corner[1][0]);
    }
}

void drawLines() {
    const GLfloat width = trackedState().lineWidth;
    if (lines.empty() || width <= widestNativeLine()) {
        drawVertices(lines, GL_LINES);
        return;
    }
    std::vector<Vertex> quads;
    widenLines(lines, width, quads);
    lines.clear();
    // Either winding: a line has no back.
    const bool culling = capabilityEnabled(GL_CULL_FACE);
    if (culling) glDisable(GL_CULL_FACE);
    drawVertices(quads, GL_TRIANGLES);
    if (culling) glEnable(GL_CULL_FACE);
}

void drawCollected() {
    drawVertices(triangles, GL_TRIANGLES);
    drawLines();
    drawVertices(points, GL_POINTS);
}

void addVertex(GLfloat x, GLfloat y, GLfloat z) {
    if (compilingList()) {
        recordCommand(ListCommand::Vertex, 0, x, y, z, 0.0f);
        return;
    }
    if (!insidePrimitive) return;
    Vertex v;
    v.position[0] = x;
    v.position[1] = y;
    v.position[2] = z;
    for (int i = 0; i < 3; ++i) v.normal[i] = current.normal[i];
    for (int i = 0; i < 2; ++i) v.texCoord[i] = current.texCoord[i];
    for (int i = 0; i < 4; ++i) v.color[i] = current.color[i];
    primitive.push_back(v);
}

}  // namespace

CurrentAttributes& currentAttributes() { return current; }

void holdPrimitives() { ++holdDepth; }

void releasePrimitives() {
    if (holdDepth > 0) --holdDepth;
    if (holdDepth == 0) drawCollected();
}

extern "C" {

void vlBegin(GLenum mode) {
    if (compilingList()) {
        recordCommand(ListCommand::Begin, mode, 0.0f, 0.0f, 0.0f, 0.0f);
        return;
    }
    primitiveMode = mode;
    insidePrimitive = true;
    primitive.clear();
}

void vlEnd(void) {
    if (compilingList()) {
        recordCommand(ListCommand::End, 0, 0.0f, 0.0f, 0.0f, 0.0f);
        return;
    }
    if (!insidePrimitive) return;
    insidePrimitive = false;
    splitPrimitive();
    if (holdDepth == 0) drawCollected();
}

void vlVertex2i(GLint x, GLint y) { addVertex(static_cast<GLfloat>(x), static_cast<GLfloat>(y), 0.0f); }

void vlVertex3i(GLint x, GLint y, GLint z) {
    addVertex(static_cast<GLfloat>(x), static_cast<GLfloat>(y), static_cast<GLfloat>(z));
}

void vlVertex3f(GLfloat x, GLfloat y, GLfloat z) { addVertex(x, y, z); }

void vlVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    addVertex(static_cast<GLfloat>(x), static_cast<GLfloat>(y), static_cast<GLfloat>(z));
}

void vlVertex3dv(const GLdouble* v) { vlVertex3d(v[0], v[1], v[2]); }

void vlNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    if (compilingList()) {
        recordCommand(ListCommand::Normal, 0, x, y, z, 0.0f);
        return;
    }
    current.normal[0] = x;
    current.normal[1] = y;
    current.normal[2] = z;
}

void vlNormal3i(GLint x, GLint y, GLint z) { vlNormal3f(signedIntToFloat(x), signedIntToFloat(y), signedIntToFloat(z)); }

void vlTexCoord2f(GLfloat s, GLfloat t) {
    if (compilingList()) {
        recordCommand(ListCommand::TexCoord, 0, s, t, 0.0f, 0.0f);
        return;
    }
    current.texCoord[0] = s;
    current.texCoord[1] = t;
}

void vlTexCoord2i(GLint s, GLint t) { vlTexCoord2f(static_cast<GLfloat>(s), static_cast<GLfloat>(t)); }

void vlColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    if (compilingList()) {
        recordCommand(ListCommand::Color, 0, r, g, b, a);
        return;
    }
    current.color[0] = r;
    current.color[1] = g;
    current.color[2] = b;
    current.color[3] = a;
}

void vlColor3f(GLfloat r, GLfloat g, GLfloat b) { vlColor4f(r, g, b, 1.0f); }

}  // extern "C"
