#pragma once

// glBegin/glEnd for the browser: each vertex takes the current normal,
// texture coordinate and colour, and finished primitives are drawn as
// triangles, lines or points from client arrays, every vertex carrying every
// attribute (the only stream the emulation draws correctly).

#include <GL/gl.h>

// What GL keeps between primitives; the attribute stack saves it.
struct CurrentAttributes {
    GLfloat normal[3] = {0.0f, 0.0f, 1.0f};
    GLfloat texCoord[2] = {0.0f, 0.0f};
    GLfloat color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
};
CurrentAttributes& currentAttributes();

// While held, finished primitives are collected and drawn together when the
// hold is released: a display list's primitives become one draw per kind.
void holdPrimitives();
void releasePrimitives();
