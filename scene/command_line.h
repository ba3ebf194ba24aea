#pragma once

// Reads "-f", "-nr N" and "-radius N" into the scene state and clamps the
// values. Returns 1 when "-f" (full screen) was given, else 0.
int readOptions(int argc, char** argv);
