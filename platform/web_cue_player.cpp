#include "platform/web_cue_player.h"

#include <cstdio>
#include <cstring>

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <emscripten.h>

namespace {

constexpr int kCueChannel = 0;
constexpr int kMaxCues = 16;

struct LoadedCue {
    const char* name;
    Mix_Chunk* chunk;
};

LoadedCue cues[kMaxCues];
int cueCount = 0;

void playInBrowser(const char* fileName) {
    if (fileName == nullptr) return;
    for (int i = 0; i < cueCount; ++i) {
        if (std::strcmp(cues[i].name, fileName) == 0) {
            if (cues[i].chunk != nullptr) Mix_PlayChannel(kCueChannel, cues[i].chunk, 0);
            return;
        }
    }
}

}  // namespace

EM_JS(int, audioContextRunning, (), {
    return typeof SDL !== 'undefined' && SDL.audioContext && SDL.audioContext.state === 'running' ? 1 : 0;
});

EM_JS(int, decodedAudioCount, (), {
    var n = 0;
    if (typeof SDL === 'undefined') return 0;
    SDL.audios.forEach(function(a) {
        if (a && a.webAudio && a.webAudio.decodedBuffer) n++;
    });
    return n;
});

bool webAudioRunning() { return audioContextRunning() != 0; }

int webCuesDecoded() { return decodedAudioCount(); }

void startWebCuePlayer(const char* const* fileNames, int count) {
    if (SDL_Init(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        std::fprintf(stderr, "Sound: no audio in this browser; running silently.\n");
        return;
    }
    Mix_AllocateChannels(kCueChannel + 1);
    for (int i = 0; i < count && cueCount < kMaxCues; ++i) {
        Mix_Chunk* chunk = Mix_LoadWAV(fileNames[i]);
        if (chunk == nullptr) std::fprintf(stderr, "Sound: cannot load %s; it stays silent.\n", fileNames[i]);
        cues[cueCount++] = {fileNames[i], chunk};
    }
    setCuePlayer(playInBrowser);
}
