#pragma once

// Plays the sound cues in the browser through the toolchain's built-in SDL
// mixer (SDL 1 API): every cue on one channel, so a new cue cuts off the one
// still playing. The browser starts the sound only after the first click or
// key; a cue that cannot be loaded stays silent with one line on the console.

#include "platform/sound.h"

void startWebCuePlayer(const char* const* fileNames = kCueFiles, int count = kCueFileCount);

// For the page's test hook: the browser's audio running (after the first
// click or key), and how many cues the browser has decoded.
bool webAudioRunning();
int webCuesDecoded();
