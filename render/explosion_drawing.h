#pragma once

#include "effects/view_state.h"

// Draws every explosion the frame shows. Expects depth writes off and
// texturing, lighting and additive blending on; leaves that state as found,
// apart from the bound texture.
void drawExplosions(const Simulation& s, const FrameLook& look);
