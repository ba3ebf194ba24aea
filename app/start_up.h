#pragma once

// Start-up, one for the desktop program, the page and the headless tools:
// the options read in one order with one set of rules, then the layout of
// the simulation in its fixed order: room and obstacles from the options
// read, the random seed (kept for the help panel and recordings), ball
// placement, ball colours, empty effects.

#include <string>
#include <vector>

#include "input/replay_file.h"
#include "scene/command_line.h"

// What the options ask of start-up.
struct StartOptions {
    bool fullScreen = false;  // "-f"
    bool smooth = false;      // "-smooth"
    bool lab = false;         // "-lab": the data table and the plots open
    SessionFiles files;       // "-record FILE", "-replay FILE"
    Recording recording;      // read whole when files.replay is given
    unsigned int seed = 0;    // the recording's, else "-seed", VENNALOFT_SEED, the clock
};

// Why start-up cannot go on, and the exit status to end with.
struct StartRefusal {
    int status = 0;              // 0: go on
    const char* file = nullptr;  // the recording it is about, if one is
    std::string reason;
};

// Reads the options in start-up's order: "-f", "-nr", "-radius" (into the
// live simulation, clamped); the recording and replay files (status 2 when
// a name is missing or both are given), a recording to replay read whole
// (status 1 when it cannot be trusted), whose ball count, radius and seed
// win; then the seed. `environmentSeed` is VENNALOFT_SEED's value (or
// nullptr), `clockSeed` the seed when none is given. A seed word that gives
// no seed is told in `warning` (one line, empty when there is none).
StartRefusal readStartOptions(int argc, char** argv, const char* environmentSeed, unsigned int clockSeed,
                              StartOptions& options, std::string& warning);

// The seed rules alone: "-seed N" (the last valid one) wins, being the more
// explicit, then VENNALOFT_SEED (the window tests' hook), else the clock's,
// so each run looks different. A seed that does not start with a whole
// number is told in one line, with the seed taken instead.
unsigned int chooseSeed(int argc, char** argv, const char* environmentSeed, unsigned int clockSeed,
                        std::string& warning);

// The page's address as the command line's words: "?nr=45&seed=42&f"
// gives "-nr 45 -seed 42 -f" ('+' in a value is a space, %XX decoded). A
// recording reaches the program as a file the page fetched, never by name:
// "replay" and "record" are left out.
std::vector<std::string> addressArguments(const std::string& search);

void layOutSimulation(unsigned int seed);

// What the options set of the watcher's view: smooth motion, the lab's panels.
void takeViewOptions(const StartOptions& options);

// A recording to replay brings its own ball count and radius, which win
// over the command line's; its seed is laid out with.
void takeRecordedOptions(const ReplayHeader& header);

// The header a recording of the scene laid out now starts with.
ReplayHeader headerOfScene();
