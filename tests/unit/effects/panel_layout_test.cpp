#include "effects/panel_layout.h"

#include <gtest/gtest.h>

namespace {

// Every panel open, each asking for what the window's panels ask at the
// default font: at the smallest window the demo supports and at a large
// one, no two panels share a pixel, none leaves the window and none
// reaches into the strip kept for the notice and the pause label.
TEST(PanelLayout, OpenPanelsNeverCoverEachOtherTheWindowsEdgeOrTheBottomStrip) {
    const struct {
        float width, height;
        unsigned openMask;  // bit per PanelSlot
    } cases[] = {
        {400, 300, 0x7f}, {640, 480, 0x7f}, {640, 480, 0x0e}, {1920, 1080, 0x7f},
        {400, 300, 0x0c}, {800, 200, 0x66}, {300, 600, 0x1f},
    };
    const float wantedWidth[kPanelSlots] = {220, 430, 330, 200, 460, 600, 600};
    const float wantedHeight[kPanelSlots] = {30, 470, 220, 140, 300, 260, 60};
    for (const auto& c : cases) {
        PanelLayoutRequest request;
        request.windowWidth = c.width;
        request.windowHeight = c.height;
        for (int k = 0; k < kPanelSlots; ++k) {
            request.open[k] = (c.openMask >> k & 1u) != 0;
            request.wantedWidth[k] = wantedWidth[k];
            request.wantedHeight[k] = wantedHeight[k];
        }
        const PanelLayout layout = layOutPanels(request);
        const float floor = c.height - request.bottomStrip;
        for (int a = 0; a < kPanelSlots; ++a) {
            if (!request.open[a]) continue;
            const PanelRect& r = layout.rects[a];
            EXPECT_GT(r.width, 0.0f) << c.width << "x" << c.height << " panel " << a;
            EXPECT_GT(r.height, 0.0f) << c.width << "x" << c.height << " panel " << a;
            EXPECT_GE(r.x, 0.0f) << c.width << "x" << c.height << " panel " << a;
            EXPECT_GE(r.y, 0.0f) << c.width << "x" << c.height << " panel " << a;
            EXPECT_LE(r.x + r.width, c.width) << c.width << "x" << c.height << " panel " << a;
            EXPECT_LE(r.y + r.height, floor) << c.width << "x" << c.height << " panel " << a;
            for (int b = a + 1; b < kPanelSlots; ++b) {
                if (request.open[b]) {
                    EXPECT_FALSE(panelsOverlap(r, layout.rects[b]))
                        << c.width << "x" << c.height << " panels " << a << " and " << b;
                }
            }
        }
    }
}

}  // namespace
