#include "render/notice_drawing.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "effects/screenshot_notice.h"
#include "render/graphics_setup.h"
#include "render/window_overlay.h"

void drawNotice(const char* text, int rightReserve) {
    if (text == nullptr) return;
    const int width = graphics.windowSize[0];
    const int height = graphics.windowSize[1];
    // A line may be longer than the window is wide: it breaks between
    // words (or a path's folders) before the window ends.
    const int perLine =
        std::max(8, (width - rightReserve - 2 * kOverlayMargin - 2 * kOverlayPadding) / kOverlayCharWidth);
    const std::vector<std::string> lines = noticeLines(text, perLine);
    std::size_t longest = 0;
    for (const std::string& line : lines) longest = std::max(longest, line.size());
    const int left = kOverlayMargin;
    const int bottom = kOverlayMargin;
    const int panelWidth = static_cast<int>(longest) * kOverlayCharWidth + 2 * kOverlayPadding;
    const int top = bottom + static_cast<int>(lines.size()) * kOverlayLineHeight + 2 * kOverlayPadding;

    beginWindowOverlay(width, height);
    drawOverlayPanel(left, bottom, left + panelWidth, top);
    int lineTop = top - kOverlayPadding;
    for (const std::string& line : lines) {
        lineTop -= kOverlayLineHeight;
        drawOverlayText(left + kOverlayPadding, lineTop + 3, line.c_str());
    }
    endWindowOverlay();
}
