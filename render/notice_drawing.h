#pragma once

// The screenshot notice: one line on a dark panel in the bottom-left corner.
// Draws nothing (and touches no GL state) when text is null. Its lines
// break before `rightReserve` pixels from the right edge (the pause label's).
void drawNotice(const char* text, int rightReserve);
