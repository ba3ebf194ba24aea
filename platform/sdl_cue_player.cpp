#include "platform/sdl_cue_player.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

struct LoadedCue {
    char name[kNameLength];
    Mix_Chunk* chunk;  // nullptr when the file could not be loaded
};

LoadedCue cues[kMaxCues];
int cueCount = 0;
bool audioOpen = false;
bool exitHookInstalled = false;
bool reportedPlayFailure = false;

void reportSkippedCue(const char* name, const char* reason) {
    fprintf(stderr, "Sound: cannot load %s (%s); it stays silent.\n", name, reason);
}

// ALSA prints its own lines on standard error (eight of them when there is
// no sound card) before SDL gives up; our one line says the same.
void dropAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// Reads one cue from a regular file. stat first, so a named pipe or a
// device is never opened; O_NONBLOCK and fstat cover a file swapped for a
// pipe in between.
Mix_Chunk* loadCue(const char* name) {
    struct stat info;
    if (stat(name, &info) != 0) {
        reportSkippedCue(name, strerror(errno));
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        reportSkippedCue(name, "not a regular file");
        return nullptr;
    }
    int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reportSkippedCue(name, strerror(errno));
        return nullptr;
    }
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        reportSkippedCue(name, "not a regular file");
        return nullptr;
    }
    FILE* file = fdopen(fd, "rb");
    if (file == nullptr) {
        close(fd);
        reportSkippedCue(name, strerror(errno));
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromFP(file, SDL_TRUE);
    if (stream == nullptr) {
        fclose(file);
        reportSkippedCue(name, SDL_GetError());
        return nullptr;
    }
    Mix_Chunk* chunk = Mix_LoadWAV_RW(stream, 1);
    if (chunk == nullptr) reportSkippedCue(name, Mix_GetError());
    return chunk;
}

void loadCues(const char* const* fileNames, int count) {
    for (int i = 0; i < count && cueCount < kMaxCues; ++i) {
        if (strlen(fileNames[i]) >= sizeof cues[0].name) {
            reportSkippedCue(fileNames[i], "name too long");
            continue;
        }
        LoadedCue& cue = cues[cueCount++];
        snprintf(cue.name, sizeof cue.name, "%s", fileNames[i]);
        cue.chunk = loadCue(fileNames[i]);
    }
}

Mix_Chunk* findCue(const char* fileName) {
    for (int i = 0; i < cueCount; ++i)
        if (strcmp(cues[i].name, fileName) == 0) return cues[i].chunk;
    return nullptr;
}

void playWithSdl(const char* fileName) {
    if (!audioOpen || fileName == nullptr) return;
    Mix_Chunk* chunk = findCue(fileName);
    if (chunk == nullptr) return;
    // Naming the channel halts whatever it is playing.
    if (Mix_PlayChannel(kCueChannel, chunk, 0) < 0 && !reportedPlayFailure) {
        reportedPlayFailure = true;
        fprintf(stderr, "Sound: cannot play %s (%s); such cues stay silent.\n", fileName, Mix_GetError());
    }
}

}  // namespace

void startSdlCuePlayer(const char* const* fileNames, int count) {
    if (audioOpen) return;
    reportedPlayFailure = false;
    snd_lib_error_set_handler(dropAlsaMessage);
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
    loadCues(fileNames, count);
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
