#pragma once

// The browser toolchain emulates the fixed-function GL, GLU and GLUT, but
// lacks some calls the program makes and gets others wrong. This folder
// supplies them. The missing ones (display lists, attribute stack, colour
// material, quadrics, bitmap text, a few GLUT callbacks) are defined here
// under their own names. The ones that exist but misbehave are renamed
// below to this folder's versions:
// - immediate mode: the emulation garbles a primitive unless every vertex
//   carries the same attributes in the same order, so vertices are gathered
//   here with the current normal, texture coordinate and colour and drawn
//   from client arrays;
// - gluLookAt leaves the matrix as it was;
// - glTexImage2D rejects the old internal format "3";
// - glEnable/glDisable and the state the attribute stack saves are tracked
//   here (the emulation ignores GL_COLOR_MATERIAL and cannot report it);
// - glClear also clears the text drawn by glutBitmapCharacter;
// - lines wider than WebGL draws (one pixel) become quads of that width;
// - glReadPixels reads RGB as RGBA and repacks it, glReadBuffer and the
//   pixel-store settings WebGL 1 lacks are ignored.
// Lighting itself is mended in the emulation's shader text (lighting_fix.js).

// The three toolchain headers come first, whole, so that the renaming
// below never reaches their declarations.
#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glut.h>

extern "C" {
void vlBegin(GLenum mode);
void vlEnd(void);
void vlVertex2i(GLint x, GLint y);
void vlVertex3i(GLint x, GLint y, GLint z);
void vlVertex3f(GLfloat x, GLfloat y, GLfloat z);
void vlVertex3d(GLdouble x, GLdouble y, GLdouble z);
void vlVertex3dv(const GLdouble* v);
void vlNormal3f(GLfloat x, GLfloat y, GLfloat z);
void vlNormal3i(GLint x, GLint y, GLint z);
void vlTexCoord2f(GLfloat s, GLfloat t);
void vlTexCoord2i(GLint s, GLint t);
void vlColor3f(GLfloat r, GLfloat g, GLfloat b);
void vlColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);

void vlEnable(GLenum cap);
void vlDisable(GLenum cap);
void vlBlendFunc(GLenum source, GLenum destination);
void vlDepthMask(GLboolean flag);
void vlLineWidth(GLfloat width);
void vlPointSize(GLfloat size);
void vlMatrixMode(GLenum mode);
void vlClear(GLbitfield mask);
void vlTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const void* pixels);
void vlLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY, GLdouble centreZ,
              GLdouble upX, GLdouble upY, GLdouble upZ);
void vlPixelStorei(GLenum name, GLint value);
void vlReadBuffer(GLenum buffer);
void vlReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels);
}

#ifndef VL_WEBGL_NO_RENAMING
#define glBegin vlBegin
#define glEnd vlEnd
#define glVertex2i vlVertex2i
#define glVertex3i vlVertex3i
#define glVertex3f vlVertex3f
#define glVertex3d vlVertex3d
#define glVertex3dv vlVertex3dv
#define glNormal3f vlNormal3f
#define glNormal3i vlNormal3i
#define glTexCoord2f vlTexCoord2f
#define glTexCoord2i vlTexCoord2i
#define glColor3f vlColor3f
#define glColor4f vlColor4f
#define glEnable vlEnable
#define glDisable vlDisable
#define glBlendFunc vlBlendFunc
#define glDepthMask vlDepthMask
#define glLineWidth vlLineWidth
#define glPointSize vlPointSize
#define glMatrixMode vlMatrixMode
#define glClear vlClear
#define glTexImage2D vlTexImage2D
#define gluLookAt vlLookAt
#define glPixelStorei vlPixelStorei
#define glReadBuffer vlReadBuffer
#define glReadPixels vlReadPixels
#endif
