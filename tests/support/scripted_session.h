#pragma once

// One scripted session, lived through the session layer without a window:
// function keys, the pointer and both buttons, a window size, and a pause
// in which the camera turns, single steps and steps back start a branch,
// and a ball is edited.
// The session tests and the web tests' recorder both play it, so what the
// browser replays is what the unit tests check. F5 before step 10 is the
// journal line "k 10 5 0".

#include <cstdlib>
#include <string>

#include "app/headless_scene.h"
#include "app/live_readings.h"
#include "app/live_simulation.h"
#include "app/session.h"
#include "input/key_codes.h"
#include "input/keyboard.h"
#include "input/replay_file.h"

namespace scripted {

// Before the idle call `at`: an input, or a letter (pause, single step, back).
struct Scripted {
    long at;
    InputEvent input;
    char letter;
};

inline const Scripted kScript[] = {
    {1, {InputKind::WindowSize, 640, 480}, 0},
    {5, {InputKind::Motion, 0, 0, 320, 240}, 0},
    {10, {InputKind::SpecialDown, kKeyF5}, 0},
    {20, {InputKind::MouseButton, kLeftButton, kButtonDown, 300, 200}, 0},
    {35, {InputKind::MouseButton, kLeftButton, kButtonUp, 300, 200}, 0},
    {38, {InputKind::SpecialDown, kKeyF1}, 0},
    {40, {InputKind::SpecialDown, kKeyUp}, 0},
    {46, {InputKind::SpecialUp, kKeyUp}, 0},
    {50, {InputKind::MouseButton, kRightButton, kButtonDown, 100, 100}, 0},
    {55, {InputKind::SpecialDown, kKeyF6}, 0},
    {58, {InputKind::MouseButton, kLeftButton, kButtonDown, 320, 240}, 0},
    {70, {InputKind::Release}, 0},
    {80, {}, 'p'},
    {81, {InputKind::SpecialDown, kKeyLeft}, 0},  // the camera turns while paused
    {82, {InputKind::Motion, 0, 0, 10, 10}, 0},   // pointer moves while the camera turns
    {83, {InputKind::Motion, 0, 0, 40, 50}, 0},
    {84, {InputKind::SpecialUp, kKeyLeft}, 0},
    {85, {}, 'o'},
    {86, {}, 'o'},
    {87, {}, 'b'},
    {88, {}, 'b'},
    {89, {}, 'b'},
    {90, {InputKind::SpecialDown, kKeyF3}, 0},  // new input while back: a branch
    {90, {}, 'e'},                                // ball 3 moved and sent off while paused
    {91, {}, 'p'},
    {150, {InputKind::SpecialDown, kKeyF8}, 0},
    {250, {InputKind::SpecialDown, kKeyF4}, 0},
    {300, {InputKind::MouseButton, kRightButton, kButtonDown, 500, 300}, 0},
};

inline HeadlessSettings settings() {
    HeadlessSettings s;
    s.ballCount = 20;
    s.ballRadius = 15;
    s.seed = 4242;
    return s;
}

// Runs the script live through the session for `idles` idle calls.
inline void live(long idles) {
    for (long n = 1; n <= idles; ++n) {
        for (const Scripted& s : kScript) {
            if (s.at != n) continue;
            if (s.letter == 'b') {
                stepBack();
            } else if (s.letter == 'e') {
                const Vector3 position = sim.ballPositions[3] + Vector3(0.0, 0.5, 0.0);
                const Vector3 velocity(0.25, 1.5, -0.75);
                // A script whose edit is refused would no longer test one.
                if (!deliverBallEdit(3, &position, &velocity, nullptr)) std::abort();
            } else if (s.letter == 'o') {
                requestSingleStep();
            } else if (s.letter != 0) {
                handleKey(sim, ::live.viewer, ::live.notices, static_cast<unsigned char>(s.letter),
                          liveReadings());
            } else {
                deliverInput(s.input);
            }
        }
        runHeadlessStep();
    }
}

// Starts the scene and a recording into `path`, then lives `idles` idle
// calls; the caller ends the session. False, with the reason, if the file
// cannot be started.
inline bool record(const char* path, long idles, std::string& error) {
    const HeadlessSettings s = settings();
    startHeadlessScene(s);
    startSession();
    ReplayHeader header;
    header.seed = s.seed;
    header.ballCount = s.ballCount;
    header.ballRadius = s.ballRadius;
    if (!startRecording(path, header, error)) return false;
    live(idles);
    return true;
}

}  // namespace scripted
