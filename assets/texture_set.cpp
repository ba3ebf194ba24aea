#include "assets/texture_set.h"

#include <cstdio>
#include <cstdlib>

void readTextureImages(BmpImage* images[kTextureCount], int maxSide) {
    // Every record is allocated before any file is read, so a lack of memory
    // is reported before any image message.
    for (int i = 0; i < kTextureCount; ++i) {
        images[i] = static_cast<BmpImage*>(malloc(sizeof(BmpImage)));
        if (images[i] == nullptr) {
            printf("Error allocating space for image");
            exit(0);
        }
    }

    // A replaced image file may be larger than the driver takes; say so
    // rather than run on with a blank texture.
    for (int i = 0; i < kTextureCount; ++i) {
        if (!loadBmp(kTextureFiles[i], images[i])) exit(1);
        if (maxSide > 0 && (images[i]->width > maxSide || images[i]->height > maxSide)) {
            printf("Image %s is too large for this graphics driver: %d x %d (at most %d)\n", kTextureFiles[i],
                   images[i]->width, images[i]->height, maxSide);
            exit(1);
        }
    }
}

void freeTextureImage(BmpImage* image) {
    free(image->pixels);
    free(image);
}
