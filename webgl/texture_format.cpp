#define VL_WEBGL_NO_RENAMING
#include <GL/gl.h>

extern "C" {

// WebGL takes only the symbolic internal formats.
void vlTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const void* pixels) {
    if (internalFormat == 3) internalFormat = GL_RGB;
    if (internalFormat == 4) internalFormat = GL_RGBA;
    glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
}

}  // extern "C"
