#pragma once

// H: a translucent panel with the key and mouse map and live figures, in
// the toolkit's bitmap font. Called every frame, shown or not, so the frame
// rate is measured before the panel is first asked for.
void drawHelpOverlay();
