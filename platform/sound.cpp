#include "platform/sound.h"

namespace {
void silentPlayer(const char*) {}
CuePlayer cuePlayer = silentPlayer;
}  // namespace

void playCue(const char* fileName) { cuePlayer(fileName); }

void setCuePlayer(CuePlayer player) { cuePlayer = player ? player : silentPlayer; }

bool soundDeviceOpen() { return cuePlayer != silentPlayer; }
