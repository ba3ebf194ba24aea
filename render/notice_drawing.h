#pragma once

// The screenshot notice: one line on a dark panel in the bottom-left corner.
// Draws nothing (and touches no GL state) when text is null.
void drawNotice(const char* text);
