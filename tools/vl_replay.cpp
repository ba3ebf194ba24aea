// Plays a recording made with "vennaloft -record FILE" without a window and
// checks every checkpoint in it:
//
//   vl_replay FILE
//
// Prints "replay matches: N steps, final state <hash>" and exits 0, or
// "replay diverges at step N: expected <hash>, got <hash>" and exits 1. A
// file it cannot trust is refused with one line and status 2.

#include <cstdio>
#include <string>

#include "app/headless_scene.h"
#include "app/session.h"
#include "input/replay_file.h"
#include "physics/state_hash.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vl_replay FILE\n");
        return 2;
    }
    Recording recording;
    std::string error;
    if (!readReplayFile(argv[1], recording, error)) {
        std::fprintf(stderr, "vl_replay: %s: %s\n", argv[1], error.c_str());
        return 2;
    }
    const ReplayOutcome outcome = replayHeadless(recording);

    char expected[17];
    char got[17];
    formatStateHash(outcome.expected, expected);
    formatStateHash(outcome.got, got);
    if (!outcome.matches) {
        std::printf("replay diverges at step %ld: expected %s, got %s\n", outcome.divergedAt, expected, got);
        return 1;
    }
    std::printf("replay matches: %ld steps, final state %s\n", outcome.steps, got);
    return 0;
}
