#pragma once

// What a step asks its caller to do outside the simulation: the sound cues
// to play, in order (a caller taking steps again silently drops them),
// whether the window is to be drawn again, and clip plane 0 (on for the
// free camera only). The step also hands out what only the display keeps:
// its contacts, into `contacts` when the caller gives one, and the shot
// whose following it ended, which that step's frame still looks at.

struct ContactHistory;

struct StepEvents {
    static constexpr int kMaxCues = 64;
    const char* cues[kMaxCues] = {};
    int cueCount = 0;
    bool redisplay = false;
    int clipPlane0 = -1;  // -1: as it is; 0 off, 1 on
    ContactHistory* contacts = nullptr;
    int endedFollow = -1;  // the shot slot, or -1

    // A new cue cuts off the one still playing, so when the list is full
    // the newest takes the last place.
    void addCue(const char* cue) {
        if (cueCount == kMaxCues) --cueCount;
        cues[cueCount++] = cue;
    }

    // Takes in what a later step asks; its cues only with `withCues`.
    void absorb(const StepEvents& later, bool withCues) {
        if (withCues) {
            for (int i = 0; i < later.cueCount; ++i) addCue(later.cues[i]);
        }
        redisplay = redisplay || later.redisplay;
        if (later.clipPlane0 >= 0) clipPlane0 = later.clipPlane0;
        if (later.endedFollow >= 0) endedFollow = later.endedFollow;
    }
};
