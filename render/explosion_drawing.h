#pragma once

// Advances and draws every explosion in use. Expects depth writes off and
// texturing, lighting and additive blending on; leaves that state as found,
// apart from the bound texture.
void drawExplosions();
