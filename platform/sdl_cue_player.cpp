#include "platform/sdl_cue_player.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <SDL.h>
#include <SDL_mixer.h>

#include "platform/sound.h"

namespace {

constexpr int kCueChannel = 0;
constexpr int kMaxCues = 16;  // the program uses four names
constexpr int kNameLength = 64;

struct CachedCue {
    char name[kNameLength];
    Mix_Chunk* chunk;  // nullptr when the file could not be loaded
};

CachedCue cues[kMaxCues];
int cueCount = 0;
bool audioOpen = false;
bool exitHookInstalled = false;

// One line per kind of problem, not one per cue played.
bool reportedLoadFailure = false;
bool reportedPlayFailure = false;
bool reportedTooManyCues = false;

void reportOnce(bool* reported, const char* what, const char* name) {
    if (*reported) return;
    *reported = true;
    fprintf(stderr, "Sound: %s %s (%s); such cues stay silent.\n", what, name, SDL_GetError());
}

// The cached chunk for a name, loading it the first time. A failed load is
// remembered so the file is not tried again on every cue.
Mix_Chunk* findCue(const char* fileName) {
    for (int i = 0; i < cueCount; ++i)
        if (strcmp(cues[i].name, fileName) == 0) return cues[i].chunk;
    if (cueCount == kMaxCues || strlen(fileName) >= sizeof cues[0].name) {
        reportOnce(&reportedTooManyCues, "cannot keep the cue", fileName);
        return nullptr;
    }
    CachedCue& cue = cues[cueCount++];
    snprintf(cue.name, sizeof cue.name, "%s", fileName);
    cue.chunk = Mix_LoadWAV(fileName);
    if (cue.chunk == nullptr) reportOnce(&reportedLoadFailure, "cannot load", fileName);
    return cue.chunk;
}

void playWithSdl(const char* fileName) {
    if (!audioOpen || fileName == nullptr) return;
    Mix_Chunk* chunk = findCue(fileName);
    if (chunk == nullptr) return;
    // Naming the channel halts whatever it is playing.
    if (Mix_PlayChannel(kCueChannel, chunk, 0) < 0) reportOnce(&reportedPlayFailure, "cannot play", fileName);
}

}  // namespace

void startSdlCuePlayer() {
    if (audioOpen) return;
    reportedLoadFailure = false;
    reportedPlayFailure = false;
    reportedTooManyCues = false;
    // SDL would otherwise turn SIGINT and SIGTERM into quit events that no
    // one reads, and the program could no longer be stopped from outside.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_AUDIO) != 0) {
        fprintf(stderr, "Sound: no audio device (%s); running silently.\n", SDL_GetError());
        return;
    }
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        fprintf(stderr, "Sound: cannot open the audio device (%s); running silently.\n", Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    Mix_AllocateChannels(kCueChannel + 1);
    audioOpen = true;
    setCuePlayer(playWithSdl);
    if (!exitHookInstalled) {
        exitHookInstalled = true;
        atexit(stopSdlCuePlayer);
    }
}

void stopSdlCuePlayer() {
    if (!audioOpen) return;
    setCuePlayer(nullptr);
    Mix_HaltChannel(-1);
    for (int i = 0; i < cueCount; ++i) Mix_FreeChunk(cues[i].chunk);
    cueCount = 0;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioOpen = false;
}
