#pragma once

// The texts of "--help" and of the help overlay (H): the options, the key
// and mouse map, and the overlay's live figures. Formatting only, no GL; the
// keys come from the one table of them (input/key_table.h).

#include <cstdio>
#include <string>

#include "effects/view_state.h"

// Editing a ball, said after the keys in the same words everywhere (the
// help panel, "--help", README, the man page and the page).
constexpr const char* kEditHelpLines[] = {
    "While paused, a drag moves the ball at once; B undoes it.",
    "The ball panel sets a typed position or velocity likewise.",
};

// "--help": usage, options and controls.
void printHelp(std::FILE* out);

// What the overlay reports, gathered by the drawing from the scene state,
// the step's statistics and the two rate meters.
struct HelpFigures {
    int ballsAlive = 0;
    int shotsInFlight = 0;
    double timeStep = 0.0;        // the chosen speed
    double activeTimeStep = 0.0;  // what runs (a sixth while a shot is followed)
    double stepsPerSecond = 0.0;
    double framesPerSecond = 0.0;
    int subSteps = 0;  // of the last step
    int contacts = 0;  // of the last step
    int autoFire = 0;
    int launchMode = 0;
    int soundOn = 0;
    int soundDevice = 1;  // 0: no audio device could be opened
    int paused = 0;
    unsigned int seed = 0;
    TimelineFigures timeline;  // where step back and a replay stand
};

// The key and mouse map as "--help" lists it, one control a line: the
// page's key list.
void writeKeyLines(std::string& out);

// Events per second over windows of at least a second, for the steps and
// frames the overlay reports.
struct RateMeter {
    int windowStart = 0;
    long countAtStart = 0;
    bool started = false;
    double rate = 0.0;

    // count: events so far; now: elapsed milliseconds.
    void note(int now, long count);
};
