#pragma once

// Sound cues by file name ("Laser.wav", ...), played asynchronously; a new
// cue cuts off the one still playing. Callers check soundOn themselves.

// The program's four cues, read from the working directory.
constexpr const char* kLaserCue = "Laser.wav";
constexpr const char* kBounceCue = "bounce.wav";
constexpr const char* kExplodeCue = "Explode.wav";
constexpr const char* kYeahCue = "yeah.wav";
constexpr const char* kCueFiles[] = {kLaserCue, kBounceCue, kExplodeCue, kYeahCue};
constexpr int kCueFileCount = sizeof kCueFiles / sizeof kCueFiles[0];

using CuePlayer = void (*)(const char* fileName);

void playCue(const char* fileName);
// nullptr restores the silent player.
void setCuePlayer(CuePlayer player);
// False while only the silent player is installed: no device could be opened.
bool soundDeviceOpen();
