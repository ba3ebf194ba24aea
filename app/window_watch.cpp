#include "app/window_watch.h"

#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace {

// Our own connection to the server, and the window it watches.
struct Watch {
    Display* display = nullptr;
    Window window = None;
};

Watch watch;

}  // namespace

bool watchWindow() {
    const Window window = glXGetCurrentDrawable();
    if (window == None) return false;
    // Our own connection: events selected here come to us as well as to the
    // toolkit, which ignores focus changes and a destroyed window.
    watch.display = XOpenDisplay(DisplayString(glXGetCurrentDisplay()));
    if (watch.display == nullptr) return false;
    watch.window = window;
    XSelectInput(watch.display, watch.window, FocusChangeMask | StructureNotifyMask);
    XFlush(watch.display);
    return true;
}

WindowNews windowNews() {
    WindowNews news;
    if (watch.display == nullptr) return news;
    while (XPending(watch.display) > 0) {
        XEvent event;
        XNextEvent(watch.display, &event);
        if (event.type == DestroyNotify && event.xdestroywindow.window == watch.window) news.destroyed = true;
        // Focus moving to a window inside ours is not a loss (there are none
        // today); a keyboard grab (a window manager's switcher) is. Given to
        // our window from the pointer's (a bare server), the focus goes out
        // and straight back in: only where it ends counts.
        if (event.type == FocusOut && event.xfocus.detail != NotifyInferior) news.focusLost = true;
        if (event.type == FocusIn) news.focusLost = false;
    }
    return news;
}

bool askRepeatsAsPresses() {
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr) return false;
    Bool supported = False;
    return XkbSetDetectableAutoRepeat(display, True, &supported) == True && supported == True;
}
