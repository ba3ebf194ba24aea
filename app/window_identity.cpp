#include "app/window_identity.h"

#include <unistd.h>

#include <vector>

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "assets/icon_image.h"

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

    // _NET_WM_ICON: width, height, then ARGB pixels, one per long, for each
    // size; the window manager picks the one it needs. The larger sizes add
    // little a title bar or switcher shows, so the property stays small.
    std::vector<long> icon;
    for (int size : {16, 32, 48, 64}) {
        const std::vector<unsigned char> rgba = iconPixels(size);
        icon.push_back(size);
        icon.push_back(size);
        for (std::size_t i = 0; i + 3 < rgba.size(); i += 4) {
            const unsigned long argb = static_cast<unsigned long>(rgba[i + 3]) << 24 |
                                       static_cast<unsigned long>(rgba[i]) << 16 |
                                       static_cast<unsigned long>(rgba[i + 1]) << 8 | rgba[i + 2];
            icon.push_back(static_cast<long>(argb));
        }
    }
    const Atom iconAtom = XInternAtom(display, "_NET_WM_ICON", False);
    XChangeProperty(display, window, iconAtom, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(icon.data()), static_cast<int>(icon.size()));
    XFlush(display);
}
