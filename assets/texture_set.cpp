#include "assets/texture_set.h"

#include <cstdio>
#include <cstdlib>

#include <GL/gl.h>

#include "assets/bmp_reader.h"

void loadTextures() {
    BmpImage* images[kTextureCount];
    for (int i = 0; i < kTextureCount; ++i) {
        images[i] = static_cast<BmpImage*>(malloc(sizeof(BmpImage)));
        if (images[i] == nullptr) {
            printf("Error allocating space for image");
            exit(0);
        }
    }

    // A replaced image file may be larger than the driver takes; say so
    // rather than run on with a blank texture.
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    for (int i = 0; i < kTextureCount; ++i) {
        if (!loadBmp(kTextureFiles[i], images[i])) exit(1);
        if (maxSize > 0 && (images[i]->width > maxSize || images[i]->height > maxSize)) {
            printf("Image %s is too large for this graphics driver: %d x %d (at most %d)\n", kTextureFiles[i],
                   images[i]->width, images[i]->height, static_cast<int>(maxSize));
            exit(1);
        }
    }

    glGenTextures(kTextureCount, scene.textureNames);

    // Rows are stored unpadded: with the default alignment of 4 the GL would
    // read past the end of an image whose row is not a multiple of 4 bytes.
    GLint savedAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &savedAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < kTextureCount; ++i) {
        glBindTexture(GL_TEXTURE_2D, scene.textureNames[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        // Walls and floor use coordinates 0..2: each shows its image twice per side.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexImage2D(GL_TEXTURE_2D, 0, 3, images[i]->width, images[i]->height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     images[i]->pixels);
        free(images[i]->pixels);
        free(images[i]);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, savedAlignment);
}

void deleteTextures() { glDeleteTextures(kTextureCount, scene.textureNames); }
