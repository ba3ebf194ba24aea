// Records the turning sessions kept in this folder, without a window, as
// "vennaloft -record FILE" writes them: automatic fire on while the arrows
// turn the camera, so shots leave along yaws whose sine and cosine C
// libraries round differently (48, 58 and 342 degrees among them). They
// were made once with version 1.0.0 and are kept as they came out; this
// program says how, it is not run by the tests.
//
//   record_turns NAME FILE      NAME: right, left_long or mixed

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/headless_scene.h"
#include "app/session.h"
#include "input/key_codes.h"
#include "input/replay_file.h"

namespace {

// Before the idle call `at`.
struct Timed {
    long at;
    InputEvent input;
};

InputEvent down(int key) { return {InputKind::SpecialDown, key}; }
InputEvent up(int key) { return {InputKind::SpecialUp, key}; }

struct Session {
    const char* name;
    HeadlessSettings settings;
    long idles;
    std::vector<Timed> script;
};

// The window's size, then automatic fire on.
void start(std::vector<Timed>& script) {
    script.push_back({1, {InputKind::WindowSize, 640, 480}});
    script.push_back({2, down(kKeyF5)});
}

// A held arrow turns the camera 2 degrees a step: held from `at` for
// `steps` idle calls.
void turn(std::vector<Timed>& script, long at, int key, long steps) {
    script.push_back({at, down(key)});
    script.push_back({at + steps, up(key)});
}

std::vector<Session> sessions() {
    std::vector<Session> all;

    // Right to 48, 58 and 90 degrees, resting at each while shots leave.
    Session right{"right", {}, 200, {}};
    right.settings.ballCount = 12;
    right.settings.seed = 48;
    start(right.script);
    turn(right.script, 5, kKeyRight, 24);   // 48
    turn(right.script, 60, kKeyRight, 5);   // 58
    turn(right.script, 100, kKeyRight, 16); // 90
    all.push_back(right);

    // The full room, left past -48, -58 and -342 degrees, then round and
    // round both ways for the rest of 1,200 steps.
    Session left{"left_long", {}, 1200, {}};
    left.settings.ballCount = 45;
    left.settings.ballRadius = 15;
    left.settings.seed = 342;
    start(left.script);
    turn(left.script, 5, kKeyLeft, 24);     // -48
    turn(left.script, 50, kKeyLeft, 5);     // -58
    turn(left.script, 80, kKeyLeft, 142);   // -342
    turn(left.script, 260, kKeyLeft, 400);  // -1142
    turn(left.script, 700, kKeyRight, 450); // -242
    all.push_back(left);

    // Throws and a followed shot between turns right to 342 and back to 58.
    Session mixed{"mixed", {}, 500, {}};
    mixed.settings.ballCount = 30;
    mixed.settings.ballRadius = 10;
    mixed.settings.seed = 58;
    start(mixed.script);
    turn(mixed.script, 5, kKeyRight, 171);  // 342
    mixed.script.push_back({200, {InputKind::MouseButton, kRightButton, kButtonDown, 300, 220}});
    turn(mixed.script, 230, kKeyLeft, 142); // 58
    mixed.script.push_back({400, down(kKeyF6)});
    mixed.script.push_back({410, {InputKind::MouseButton, kLeftButton, kButtonDown, 350, 260}});
    mixed.script.push_back({440, {InputKind::MouseButton, kLeftButton, kButtonUp, 350, 260}});
    mixed.script.push_back({450, down(kKeyF6)});
    all.push_back(mixed);
    return all;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: record_turns NAME FILE\n");
        return 2;
    }
    for (const Session& s : sessions()) {
        if (std::strcmp(s.name, argv[1]) != 0) continue;
        startHeadlessScene(s.settings);
        startSession();
        ReplayHeader header;
        header.seed = s.settings.seed;
        header.ballCount = s.settings.ballCount;
        header.ballRadius = s.settings.ballRadius;
        std::string error;
        if (!startRecording(argv[2], header, error)) {
            std::fprintf(stderr, "record_turns: %s\n", error.c_str());
            return 1;
        }
        for (long n = 1; n <= s.idles; ++n) {
            for (const Timed& t : s.script) {
                if (t.at == n) deliverInput(t.input);
            }
            runHeadlessStep();
        }
        endSession();
        stopHeadlessScene();
        return 0;
    }
    std::fprintf(stderr, "record_turns: no session named '%s'\n", argv[1]);
    return 2;
}
