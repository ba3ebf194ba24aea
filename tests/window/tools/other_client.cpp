// What another X client can do to the program's window, for the window
// tests (Xvfb runs no window manager and xdotool does neither):
//
//   other_client destroy WINDOW_ID   destroys the window, as a client may
//   other_client take-focus SECONDS  maps a small window of its own, gives
//                                    it the keyboard focus and keeps it
//                                    that long
// Status 0 when done; 1 when the display cannot be opened or the request
// failed; 2 for a bad argument.

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool failed = false;

int noteError(Display*, XErrorEvent*) {
    failed = true;
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: other_client destroy WINDOW_ID | take-focus SECONDS\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return usage();
    char* end = nullptr;
    const unsigned long number = std::strtoul(argv[2], &end, 0);
    const bool destroy = std::strcmp(argv[1], "destroy") == 0;
    const bool takeFocus = std::strcmp(argv[1], "take-focus") == 0;
    if ((!destroy && !takeFocus) || end == argv[2] || *end != '\0' || (destroy && number == 0)) return usage();

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "other_client: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(noteError);
    if (destroy) {
        XDestroyWindow(display, static_cast<Window>(number));
        XSync(display, False);
    } else {
        const Window root = DefaultRootWindow(display);
        const Window mine = XCreateSimpleWindow(display, root, 900, 700, 40, 40, 0, 0, 0);
        XSelectInput(display, mine, ExposureMask);
        XMapWindow(display, mine);
        // Focus can only go to a viewable window: wait until it is drawn.
        XEvent event;
        XWindowEvent(display, mine, ExposureMask, &event);
        XSetInputFocus(display, mine, RevertToPointerRoot, CurrentTime);
        XSync(display, False);
        if (!failed) sleep(static_cast<unsigned>(number));
    }
    XCloseDisplay(display);
    if (failed) {
        std::fprintf(stderr, "other_client: the server refused the request\n");
        return 1;
    }
    return 0;
}
