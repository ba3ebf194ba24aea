#pragma once

// Panels and text drawn over the finished frame in window pixels (origin
// bottom left), in the toolkit's 8 x 13 bitmap font: the help panel and the
// screenshot notice.

constexpr int kOverlayMargin = 10;
constexpr int kOverlayPadding = 8;
constexpr int kOverlayLineHeight = 15;
constexpr int kOverlayCharWidth = 8;

// Switches lighting, texturing, depth test, culling and the clip plane off
// and sets up window pixels; end restores every setting it touched.
void beginWindowOverlay(int width, int height);
void endWindowOverlay();

// A translucent dark panel: it darkens what lies behind it, which adding cannot do.
void drawOverlayPanel(int left, int bottom, int right, int top);
// Light text whose baseline starts at (x, y).
void drawOverlayText(int x, int y, const char* text);

// The help panel's sizes of text: it takes the largest that fits the window.
enum class OverlayFont { Small, Normal, Large };
int overlayLineHeight(OverlayFont font);
int overlayTextWidth(OverlayFont font, const char* text);
void drawOverlayText(OverlayFont font, int x, int y, const char* text);
