#define VL_WEBGL_NO_RENAMING
#include "webgl/immediate_mode.h"

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

void drawCollected() {
    drawVertices(triangles, GL_TRIANGLES);
    drawVertices(lines, GL_LINES);
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
