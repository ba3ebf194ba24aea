// Vennaloft: balls bouncing through a room of pillars, cones and domes.
// Start-up builds the scene, opens the window and hands over to the
// toolkit's main loop, which Escape and the close button end through
// onClose's exit.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include <GL/freeglut.h>

#include "app/glut_callbacks.h"
#include "app/live_simulation.h"
#include "app/scene_start.h"
#include "app/session.h"
#include "app/start_up.h"
#include "app/window_identity.h"
#include "app/window_watch.h"
#include "input/help_text.h"
#include "input/replay_file.h"
#include "platform/clock.h"
#include "platform/sdl_cue_player.h"
#include "render/graphics_setup.h"
#include "scene/command_line.h"

namespace {

// The desktop's idle: first what the toolkit does not report about the
// window. Destroyed by another client, it ends the session as the close
// button does.
void idleOnDesktop() {
    const WindowNews news = windowNews();
    if (news.destroyed) onClose();
    if (news.focusLost) onFocusLost();
    onIdle();
}

}  // namespace

int main(int argc, char** argv) {
    // Before the toolkit is touched, so it works without a display.
    if (helpRequested(argc, argv)) {
        printHelp(stdout);
        return 0;
    }
    if (versionRequested(argc, argv)) {
        std::printf("vennaloft %s\n", VL_VERSION);
        return 0;
    }
    // A recording that outgrows the file size limit is stopped and reported
    // like one on a full disk, not ended by the signal with the program.
    std::signal(SIGXFSZ, SIG_IGN);

    // Recording and replaying are settled before the window opens: a file
    // that cannot be trusted or written starts nothing.
    StartOptions options;
    std::string warning;
    const StartRefusal refusal = readStartOptions(argc, argv, std::getenv("VENNALOFT_SEED"),
                                                  static_cast<unsigned int>(std::time(nullptr)), options, warning);
    if (!warning.empty()) std::fprintf(stderr, "vennaloft: %s\n", warning.c_str());
    if (refusal.status != 0) {
        if (refusal.file != nullptr) {
            std::fprintf(stderr, "vennaloft: %s: %s\n", refusal.file, refusal.reason.c_str());
        } else {
            std::fprintf(stderr, "vennaloft: %s\n", refusal.reason.c_str());
        }
        return refusal.status;
    }
    const SessionFiles& files = options.files;
    layOutScene(options.seed);
    takeViewOptions(options);

    if (files.record != nullptr) {
        std::string error;
        if (!openRecording(files.record, headerOfScene(), error)) {
            std::fprintf(stderr, "vennaloft: %s\n", error.c_str());
            return 1;
        }
    }

    glutInit(&argc, argv);
    setClockSource(glutElapsedMilliseconds);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(graphics.windowSize[0], graphics.windowSize[1]);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Vennaloft by Orlaskin");
    nameWindowForDesktop();
    if (options.fullScreen) glutFullScreen();

    startSessionInWindow(files.replay != nullptr ? &options.recording : nullptr);
    nameSessionReplay(files.replay);
    startSdlCuePlayer();

    registerInputCallbacks();
    // A server that cannot send repeats as presses alone gets the toolkit's
    // filter back, with its faults.
    if (!askRepeatsAsPresses()) glutIgnoreKeyRepeat(1);
    if (!watchWindow()) std::fprintf(stderr, "vennaloft: cannot watch the window's focus; keys held when it goes may stay held\n");
    glutSetCursor(GLUT_CURSOR_CROSSHAIR);
    glutIdleFunc(idleOnDesktop);
    glutDisplayFunc(onDisplay);
    // The close button ends the session as Escape does, not by the
    // toolkit's own exit, which would lose the recording's end.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutCloseFunc(onClose);

    glutMainLoop();
    // Only if the window went without the close callback.
    return endSession() ? 0 : 1;
}
