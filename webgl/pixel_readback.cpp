#define VL_WEBGL_NO_RENAMING
#include <GL/gl.h>

#include <cstddef>
#include <vector>

// Reading the picture back (the screenshot key). WebGL 1 reads only RGBA
// bytes for certain, knows no read buffer and, of the pixel-store settings,
// only the alignments; so RGB is read as RGBA and repacked here, and the
// settings WebGL lacks are accepted and ignored instead of raising GL errors.

namespace {

GLint packAlignment = 4;
std::vector<GLint> savedPackAlignments;

}  // namespace

extern "C" {

void vlPixelStorei(GLenum name, GLint value) {
    if (name == GL_PACK_ALIGNMENT) packAlignment = value;
    if (name == GL_PACK_ALIGNMENT || name == GL_UNPACK_ALIGNMENT) glPixelStorei(name, value);
}

void vlReadBuffer(GLenum) {}

void glPushClientAttrib(GLbitfield) { savedPackAlignments.push_back(packAlignment); }

void glPopClientAttrib(void) {
    if (savedPackAlignments.empty()) return;
    vlPixelStorei(GL_PACK_ALIGNMENT, savedPackAlignments.back());
    savedPackAlignments.pop_back();
}

void vlReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels) {
    if (format != GL_RGB || type != GL_UNSIGNED_BYTE || width <= 0 || height <= 0) {
        glReadPixels(x, y, width, height, format, type, pixels);
        return;
    }
    std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    const std::size_t alignment = static_cast<std::size_t>(packAlignment > 0 ? packAlignment : 1);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + alignment - 1) / alignment * alignment;
    unsigned char* out = static_cast<unsigned char*>(pixels);
    for (GLsizei row = 0; row < height; ++row) {
        const unsigned char* from = rgba.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(width) * 4;
        unsigned char* to = out + static_cast<std::size_t>(row) * rowBytes;
        for (GLsizei i = 0; i < width; ++i) {
            to[3 * i] = from[4 * i];
            to[3 * i + 1] = from[4 * i + 1];
            to[3 * i + 2] = from[4 * i + 2];
        }
    }
}

}  // extern "C"
