#include "app/window_watch.h"

#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace {

Display* watcher = nullptr;
Window watched = None;

}  // namespace

bool watchWindow() {
    const Window window = glXGetCurrentDrawable();
    if (window == None) return false;
    // Our own connection: events selected here come to us as well as to the
    // toolkit, which ignores focus changes and a destroyed window.
    watcher = XOpenDisplay(DisplayString(glXGetCurrentDisplay()));
    if (watcher == nullptr) return false;
    watched = window;
    XSelectInput(watcher, watched, FocusChangeMask | StructureNotifyMask);
    XFlush(watcher);
    return true;
}

WindowNews windowNews() {
    WindowNews news;
    if (watcher == nullptr) return news;
    while (XPending(watcher) > 0) {
        XEvent event;
        XNextEvent(watcher, &event);
        if (event.type == DestroyNotify && event.xdestroywindow.window == watched) news.destroyed = true;
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
