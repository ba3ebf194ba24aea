#include "render/frame_readback.h"

#include <algorithm>
#include <cstddef>

#include <GL/glut.h>

#include "assets/png_writer.h"

std::vector<unsigned char> readFramePixels(int width, int height) {
    if (width <= 0 || height <= 0) return {};
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    std::vector<unsigned char> bottomUp(rowBytes * static_cast<std::size_t>(height));
    // Rows packed without padding, whatever was set before, and set back after.
    glPushAttrib(GL_PIXEL_MODE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    glPopClientAttrib();
    glPopAttrib();

    // GL counts rows from the bottom.
    std::vector<unsigned char> topDown(bottomUp.size());
    for (int y = 0; y < height; ++y) {
        const std::size_t from = rowBytes * static_cast<std::size_t>(height - 1 - y);
        std::copy(bottomUp.begin() + static_cast<std::ptrdiff_t>(from),
                  bottomUp.begin() + static_cast<std::ptrdiff_t>(from + rowBytes),
                  topDown.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<std::size_t>(y)));
    }
    return topDown;
}

std::vector<unsigned char> readFramePng(int width, int height) {
    return encodePng(width, height, 3, readFramePixels(width, height));
}
