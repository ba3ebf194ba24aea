#pragma once

#include <string>

#include "scene/simulation.h"

// Reads "-f", "-nr N" and "-radius N" into the simulation s and clamps the
// values. Returns 1 when "-f" (full screen) was given, else 0.
int readOptions(Simulation& s, int argc, char** argv);

// True when "-h" or "--help" is among the arguments.
bool helpRequested(int argc, char** argv);

// True when "-smooth" is among the arguments.
bool smoothRequested(int argc, char** argv);

// True when "-lab" is among the arguments.
bool labRequested(int argc, char** argv);

// True when "--version" is among the arguments.
bool versionRequested(int argc, char** argv);

// A seed word: the whole decimal number it starts with, as for the other
// options ("42x" gives 42; leading blanks and a '+' are allowed). False when
// it does not start with one, or the number is beyond 4294967295.
bool parseSeed(const char* text, unsigned int& seed);

// "-seed N", scanned on its own so the scan above stays as it is: the last
// "-seed" followed by a valid seed word wins. False when there is none.
// `unusable`, when given, gets the last seed word that gave no seed (or
// stays as it was).
bool readSeedOption(int argc, char** argv, unsigned int& seed, const char** unusable = nullptr);

// "-record FILE" and "-replay FILE", scanned on their own like "-seed": the
// word after the option is the file, the last of each wins. False with one
// line in `error` when a file name is missing (the option is the last word,
// or the next word starts with '-') or when both are given.
struct SessionFiles {
    const char* record = nullptr;
    const char* replay = nullptr;
};
bool readSessionOptions(int argc, char** argv, SessionFiles& files, std::string& error);
