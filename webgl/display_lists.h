#pragma once

// Display lists for the browser: a list records the immediate-mode calls
// made while it is compiled (quadrics included, as they draw through
// immediate mode) and replays them through immediate mode when called, so a
// vertex without its own normal, texture coordinate or colour takes the
// current one at the time of the call, as in GL.

#include <GL/gl.h>

enum class ListCommand : unsigned char { Begin, End, Vertex, Normal, TexCoord, Color };

// True while a list is being compiled; immediate mode then records instead of drawing.
bool compilingList();
void recordCommand(ListCommand kind, GLenum mode, GLfloat a, GLfloat b, GLfloat c, GLfloat d);
