#pragma once

// Sound cues by file name ("Laser.wav", ...), played asynchronously; a new
// cue cuts off the one still playing. Callers check soundOn themselves.

using CuePlayer = void (*)(const char* fileName);

void playCue(const char* fileName);
// nullptr restores the silent player.
void setCuePlayer(CuePlayer player);
