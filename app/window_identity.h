#pragma once

// Names the toolkit's window to the desktop: WM_CLASS "vennaloft" /
// "Vennaloft" (matching the desktop entry's StartupWMClass, so a dock shows
// our icon and name), _NET_WM_PID and _NET_WM_ICON (the generated icon).
// GLUT has no call for any of them, so it is done through Xlib on the
// window of the current GL drawable. Call right
// after the window is created, while its context is current.
void nameWindowForDesktop();
