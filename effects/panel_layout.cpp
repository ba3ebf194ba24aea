#include "effects/panel_layout.h"

#include <algorithm>
#include <utility>

namespace {

int index(PanelSlot id) { return static_cast<int>(id); }

// Stacks the open panels of a column from `top` down, each as tall as it
// would like; when they do not fit, the small ones keep their height and
// the tallest share what is left equally (they scroll).
void stack(const PanelLayoutRequest& r, const PanelSlot* ids, int count, float x, float width, float top, float bottom,
           PanelLayout& out) {
    float wishes[kPanelSlots];
    int open = 0;
    for (int i = 0; i < count; ++i) {
        if (r.open[index(ids[i])]) wishes[open++] = r.wantedHeight[index(ids[i])];
    }
    if (open == 0) return;
    // Smallest first (a handful: insertion).
    for (int i = 1; i < open; ++i) {
        for (int j = i; j > 0 && wishes[j] < wishes[j - 1]; --j) std::swap(wishes[j], wishes[j - 1]);
    }
    float room = std::max(0.0f, bottom - top - r.margin * static_cast<float>(open - 1));
    float cap = room;
    for (int i = 0; i < open; ++i) {
        const float fair = room / static_cast<float>(open - i);
        if (wishes[i] > fair) {
            cap = fair;
            break;
        }
        room -= wishes[i];
    }
    float y = top;
    for (int i = 0; i < count; ++i) {
        const int k = index(ids[i]);
        if (!r.open[k]) continue;
        PanelRect& rect = out.rects[k];
        rect.x = x;
        rect.y = y;
        rect.width = width;
        rect.height = std::max(1.0f, std::min(r.wantedHeight[k], cap));
        y += rect.height + r.margin;
    }
}

}  // namespace

PanelLayout layOutPanels(const PanelLayoutRequest& r) {
    PanelLayout out;
    const float m = r.margin;
    const float left = m;
    const float right = r.windowWidth - m;
    const float usable = std::max(1.0f, right - left);
    const float top = m;
    const float floor = r.windowHeight - r.bottomStrip;

    // The right column and the area left of it share the width: each gets
    // what it asks for (the plots half the width at least), and half the
    // room when both do not fit.
    const PanelSlot rightColumn[] = {PanelSlot::Indicator, PanelSlot::Ball, PanelSlot::Legend, PanelSlot::Data};
    float rightWanted = 0.0f;
    for (PanelSlot id : rightColumn) {
        if (r.open[index(id)]) rightWanted = std::max(rightWanted, r.wantedWidth[index(id)]);
    }
    const int help = index(PanelSlot::Help);
    const PanelSlot across[] = {PanelSlot::Timeline, PanelSlot::Plots};
    float leftWanted = r.open[help] ? r.wantedWidth[help] : 0.0f;
    for (PanelSlot id : across) {
        if (r.open[index(id)]) leftWanted = std::max(leftWanted, std::max(r.wantedWidth[index(id)], usable * 0.5f));
    }
    const float between = leftWanted > 0.0f && rightWanted > 0.0f ? m : 0.0f;
    if (leftWanted + rightWanted + between > usable) {
        const float half = (usable - between) * 0.5f;
        if (leftWanted < half) {
            rightWanted = usable - between - leftWanted;
        } else if (rightWanted < half) {
            leftWanted = usable - between - rightWanted;
        } else {
            leftWanted = half;
            rightWanted = half;
        }
    }
    // The right column from top to bottom.
    stack(r, rightColumn, 4, right - rightWanted, rightWanted, top, floor, out);

    // Left of it: the timeline lowest, the plots over it, together at most
    // half the window's height; the help above them.
    const float leftWidth = rightWanted > 0.0f ? std::max(1.0f, usable - rightWanted - between) : usable;
    float bottom = floor;
    float budget = std::max(0.0f, (floor - top) * 0.5f);
    for (PanelSlot id : across) {
        const int k = index(id);
        if (!r.open[k]) continue;
        const float height = std::max(1.0f, std::min(r.wantedHeight[k], budget));
        budget = std::max(0.0f, budget - height - m);
        out.rects[k] = {left, bottom - height, leftWidth, height};
        bottom -= height + m;
    }
    if (r.open[help]) {
        out.rects[help] = {left, top, std::min(leftWidth, r.wantedWidth[help]),
                           std::max(1.0f, std::min(r.wantedHeight[help], bottom - top))};
    }
    return out;
}

bool panelsOverlap(const PanelRect& a, const PanelRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}
