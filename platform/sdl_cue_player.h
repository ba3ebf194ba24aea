#pragma once

// Plays the sound cues with SDL2_mixer: every cue on one channel, so a new
// cue cuts off the one still playing. Without an audio device, or for a
// cue file that is missing or broken, the program carries on silently with
// one line on standard error per problem.

#include "platform/sound.h"

// Opens the audio device, loads every named cue once and installs the player
// with setCuePlayer. Playing never touches the disk: a name that was not
// loaded here stays silent. A cue file that is not a regular, readable WAV
// (a folder, a named pipe, garbage) is skipped with one line on standard
// error; it is never opened in a way that could block.
void startSdlCuePlayer(const char* const* fileNames = kCueFiles, int count = kCueFileCount);

// Restores the silent player, frees the cues and closes the device. Safe to
// call more than once; also runs at process exit.
void stopSdlCuePlayer();
