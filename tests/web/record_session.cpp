// Records the scripted session (tests/support/scripted_session.h) without a
// window, as "vennaloft -record FILE" writes it. The web tests replay the
// file with the native and the browser builds.
//
//   record_session FILE STEPS

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/scripted_session.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: record_session FILE STEPS\n");
        return 2;
    }
    std::string error;
    if (!scripted::record(argv[1], std::atol(argv[2]), error)) {
        std::fprintf(stderr, "record_session: %s\n", error.c_str());
        return 1;
    }
    endSession();
    stopHeadlessScene();
    return 0;
}
