#include "app/window_identity.h"

#include <unistd.h>

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

void nameWindowForDesktop() {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == None) return;

    char instance[] = "vennaloft";
    char windowClass[] = "Vennaloft";
    XClassHint hint;
    hint.res_name = instance;
    hint.res_class = windowClass;
    XSetClassHint(display, window, &hint);

    // A 32-bit property is handed to Xlib as longs.
    const long pid = static_cast<long>(getpid());
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    XChangeProperty(display, window, pidAtom, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    XFlush(display);
}
