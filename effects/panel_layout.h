#pragma once

// Where the window's panels go by default, so that none covers another or
// the corner notices: the indicator and a column (ball, legend, data) on
// the right, top to bottom; left of it help at the top and the plots over
// the timeline at the bottom; and a strip along the bottom edge kept for
// the notice (left) and the pause label (right). Window pixels, origin top
// left. Pure: the drawing measures what each panel would like and places
// it where this says.

enum class PanelSlot { Indicator, Help, Ball, Legend, Data, Plots, Timeline };
constexpr int kPanelSlots = 7;

struct PanelRect {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

struct PanelLayoutRequest {
    float windowWidth = 0.0f;
    float windowHeight = 0.0f;
    float margin = 8.0f;
    // Kept free along the bottom edge for the notice and the pause label.
    float bottomStrip = 40.0f;
    bool open[kPanelSlots] = {};
    // What each panel would like; it gets less when the window is small
    // (and scrolls).
    float wantedWidth[kPanelSlots] = {};
    float wantedHeight[kPanelSlots] = {};
};

struct PanelLayout {
    PanelRect rects[kPanelSlots];
    const PanelRect& operator[](PanelSlot id) const { return rects[static_cast<int>(id)]; }
};

PanelLayout layOutPanels(const PanelLayoutRequest& request);

bool panelsOverlap(const PanelRect& a, const PanelRect& b);
