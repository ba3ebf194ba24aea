#include "render/notice_drawing.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "render/window_overlay.h"
#include "scene/scene_state.h"

void drawNotice(const char* text) {
    if (text == nullptr) return;
    const int width = scene.windowSize[0];
    const int height = scene.windowSize[1];
    // A path may be longer than the window is wide: the line breaks where
    // the window ends.
    int perLine = (width - 2 * kOverlayMargin - 2 * kOverlayPadding) / kOverlayCharWidth;
    if (perLine < 1) perLine = 1;
    const int length = static_cast<int>(std::strlen(text));
    const int lines = (length + perLine - 1) / perLine;
    const int left = kOverlayMargin;
    const int bottom = kOverlayMargin;
    const int panelWidth = std::min(length, perLine) * kOverlayCharWidth + 2 * kOverlayPadding;
    const int top = bottom + lines * kOverlayLineHeight + 2 * kOverlayPadding;

    beginWindowOverlay(width, height);
    drawOverlayPanel(left, bottom, left + panelWidth, top);
    int lineTop = top - kOverlayPadding;
    for (int at = 0; at < length; at += perLine) {
        const std::string line(text + at, static_cast<std::size_t>(std::min(perLine, length - at)));
        lineTop -= kOverlayLineHeight;
        drawOverlayText(left + kOverlayPadding, lineTop + 3, line.c_str());
    }
    endWindowOverlay();
}
