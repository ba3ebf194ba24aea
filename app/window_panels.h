#pragma once

// The desktop's panels between the toolkit and the demo: after
// registerInputCallbacks, the key, mouse and motion callbacks are
// registered again to offer their input to the panels first, and the
// panels are drawn with each frame. VENNALOFT_PANEL_REPORT set to 1 writes
// the panels' rectangles to standard error as they change (window tests).
void startPanelsInWindow();
