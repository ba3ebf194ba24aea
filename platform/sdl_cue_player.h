#pragma once

// Plays the sound cues with SDL2_mixer: every cue on one channel, so a new
// cue cuts off the one still playing. Without an audio device, or for a
// cue file that is missing or broken, the program carries on silently with
// one line on standard error per kind of problem.

// Opens the audio device and installs the player with setCuePlayer. Cue
// files are read from the working directory on first use and kept.
void startSdlCuePlayer();

// Restores the silent player, frees the cues and closes the device. Safe to
// call more than once; also runs at process exit.
void stopSdlCuePlayer();
