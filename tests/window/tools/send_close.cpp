// What a window manager does when its close button is pressed: a
// WM_DELETE_WINDOW client message to the window, which must have asked for
// it in WM_PROTOCOLS (a manager would otherwise kill the client). Xvfb runs
// no manager, so the window tests send it with this.
//
//   send_close WINDOW_ID
// Status 0 when sent; 1 when the window does not take the message or
// the display cannot be opened; 2 for a bad argument.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    char* end = nullptr;
    const unsigned long id = argc == 2 ? std::strtoul(argv[1], &end, 0) : 0;
    if (argc != 2 || end == argv[1] || *end != '\0' || id == 0) {
        std::fprintf(stderr, "usage: send_close WINDOW_ID\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "send_close: cannot open the display\n");
        return 1;
    }
    const Window window = static_cast<Window>(id);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);

    Atom* listed = nullptr;
    int count = 0;
    bool takesIt = false;
    if (XGetWMProtocols(display, window, &listed, &count) != 0) {
        for (int i = 0; i < count; ++i) takesIt = takesIt || listed[i] == deleteWindow;
        XFree(listed);
    }
    if (!takesIt) {
        std::fprintf(stderr, "send_close: window 0x%lx does not list WM_DELETE_WINDOW\n", id);
        XCloseDisplay(display);
        return 1;
    }

    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    if (sent == 0) {
        std::fprintf(stderr, "send_close: the message could not be sent\n");
        return 1;
    }
    return 0;
}
