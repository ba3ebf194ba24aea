// Records a scripted session without a window, as "vennaloft -record FILE"
// writes it: function keys, the pointer and both buttons, a window size, a
// pause with single steps and steps back that start a branch, then the end.
// The web tests replay the file with the native and the browser builds.
//
//   record_session FILE STEPS     (F5 before step 10 is the line "k 10 5 0")

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/headless_scene.h"
#include "app/session.h"
#include "input/key_codes.h"
#include "input/keyboard.h"
#include "input/replay_file.h"

namespace {

InputEvent event(InputKind kind, int a, int b = 0, int c = 0, int d = 0) {
    InputEvent e;
    e.kind = kind;
    e.a = a;
    e.b = b;
    e.c = c;
    e.d = d;
    return e;
}

// Before the idle call `at`: an input, or a letter (pause, single step, back).
struct Scripted {
    long at;
    InputEvent input;
    char letter;
};

const Scripted kScript[] = {
    {1, event(InputKind::WindowSize, 640, 480), 0},
    {5, event(InputKind::Motion, 0, 0, 320, 240), 0},
    {10, event(InputKind::SpecialDown, kKeyF5), 0},
    {20, event(InputKind::MouseButton, kLeftButton, kButtonDown, 300, 200), 0},
    {35, event(InputKind::MouseButton, kLeftButton, kButtonUp, 300, 200), 0},
    {40, event(InputKind::SpecialDown, kKeyUp), 0},
    {46, event(InputKind::SpecialUp, kKeyUp), 0},
    {50, event(InputKind::MouseButton, kRightButton, kButtonDown, 100, 100), 0},
    {55, event(InputKind::SpecialDown, kKeyF6), 0},
    {58, event(InputKind::MouseButton, kLeftButton, kButtonDown, 320, 240), 0},
    {70, event(InputKind::Release, 0), 0},
    {80, {}, 'p'},
    {82, {}, 'o'},
    {83, {}, 'o'},
    {84, {}, 'b'},
    {85, {}, 'b'},
    {86, event(InputKind::SpecialDown, kKeyF3), 0},  // new input while back: a branch
    {87, {}, 'p'},
    {150, event(InputKind::SpecialDown, kKeyF8), 0},
    {250, event(InputKind::SpecialDown, kKeyF4), 0},
    {300, event(InputKind::MouseButton, kRightButton, kButtonDown, 500, 300), 0},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: record_session FILE STEPS\n");
        return 2;
    }
    const long idles = std::atol(argv[2]);
    HeadlessSettings settings;
    settings.ballCount = 20;
    settings.ballRadius = 15;
    settings.seed = 4242;
    startHeadlessScene(settings);
    startSession();
    ReplayHeader header;
    header.seed = settings.seed;
    header.ballCount = settings.ballCount;
    header.ballRadius = settings.ballRadius;
    std::string error;
    if (!startRecording(argv[1], header, error)) {
        std::fprintf(stderr, "record_session: %s\n", error.c_str());
        return 1;
    }
    for (long n = 1; n <= idles; ++n) {
        for (const Scripted& s : kScript) {
            if (s.at != n) continue;
            if (s.letter == 'b') {
                stepBack();
            } else if (s.letter != 0) {
                handleKey(static_cast<unsigned char>(s.letter));
            } else {
                deliverInput(s.input);
            }
        }
        runHeadlessSessionStep();
    }
    endSession();
    stopHeadlessScene();
    return 0;
}
