#pragma once

// One corner of a textured quad: its texture coordinates, then its position.

#include <GL/gl.h>

inline void texturedVertex(GLfloat s, GLfloat t, GLfloat x, GLfloat y, GLfloat z) {
    glTexCoord2f(s, t);
    glVertex3f(x, y, z);
}
