#include "render/texture_upload.h"

#include <GL/gl.h>

#include "assets/texture_set.h"
#include "render/graphics_setup.h"

void loadTextures() {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    BmpImage* images[kTextureCount];
    readTextureImages(images, static_cast<int>(maxSize));

    glGenTextures(kTextureCount, graphics.textureNames);

    // Rows are stored unpadded: with the default alignment of 4 the GL would
    // read past the end of an image whose row is not a multiple of 4 bytes.
    GLint savedAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &savedAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < kTextureCount; ++i) {
        glBindTexture(GL_TEXTURE_2D, graphics.textureNames[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        // Walls and floor use coordinates 0..2: each shows its image twice per side.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexImage2D(GL_TEXTURE_2D, 0, 3, images[i]->width, images[i]->height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     images[i]->pixels);
        freeTextureImage(images[i]);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, savedAlignment);
}

void deleteTextures() { glDeleteTextures(kTextureCount, graphics.textureNames); }
