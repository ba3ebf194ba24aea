#include "render/pause_label_drawing.h"

#include <cstring>

#include "render/graphics_setup.h"
#include "render/window_overlay.h"

namespace {

const char kLabel[] = "Paused (P)";
constexpr int kPadding = 6;
constexpr int kTextHeight = 13;  // the 8 x 13 bitmap font
constexpr int kDescent = 3;      // below the baseline

int boxWidth() { return static_cast<int>(std::strlen(kLabel)) * kOverlayCharWidth + 2 * kPadding; }

}  // namespace

int pauseLabelReserve(const Simulation& s) {
    return s.controls.paused == 0 ? 0 : boxWidth() + 2 * kOverlayMargin;
}

void drawPauseLabel(const Simulation& s) {
    if (s.controls.paused == 0) return;

    const int width = graphics.windowSize[0];
    const int right = width - kOverlayMargin;
    const int left = right - boxWidth();
    const int bottom = kOverlayMargin;

    beginWindowOverlay(width, graphics.windowSize[1]);
    drawOverlayPanel(left, bottom, right, bottom + kTextHeight + 2 * kPadding);
    drawOverlayText(left + kPadding, bottom + kPadding + kDescent, kLabel);
    endWindowOverlay();
}
