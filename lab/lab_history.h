#pragma once

// The figures of the last steps the session ran, for the plots and the
// timeline: a ring keyed by step number, long enough for everything step
// back keeps (kHistorySteps plus a snapshot interval) with room to spare.
// Not part of the simulation or of its snapshots: running a step again
// writes the same entry again, and a branch drops what lay after it.

#include <memory>

#include "scene/simulation.h"

constexpr int kLabHistoryCapacity = 2048;

// What happened in a step's group of records, as bits of StepFigures::marks.
constexpr unsigned kMarkFire = 1u << 0;    // a shot fired or a ball launched
constexpr unsigned kMarkThrow = 1u << 1;   // a held ball let go with a throw
constexpr unsigned kMarkDrag = 1u << 2;    // a ball pulled by the pointer
constexpr unsigned kMarkReset = 1u << 3;   // the scene laid out again
constexpr unsigned kMarkBranch = 1u << 4;  // new input after going back
constexpr unsigned kMarkEdit = 1u << 5;    // a paused ball moved or typed in
constexpr int kMarkKinds = 6;
// "fire", "throw", ... for one bit; "" for anything else.
const char* markName(unsigned mark);

struct StepFigures {
    long step = -1;  // -1: free
    float kinetic = 0.0f;
    float potential = 0.0f;
    float total = 0.0f;
    int contacts = 0;
    unsigned marks = 0;
    float speed[kMaxBalls] = {};
    float position[kMaxBalls][3] = {};
    unsigned char alive[kMaxBalls] = {};
};

class LabHistory {
public:
    LabHistory();

    // The figures of `s` after step `step`. Within or next to the kept range
    // it is written in place or added (the oldest falling out when full);
    // anywhere else it starts the range anew.
    void record(const Simulation& s, long step, int contacts, unsigned marks);
    // The figures of `step`, or nullptr when it is not kept.
    const StepFigures* at(long step) const;
    // Drops every step after `step` (a branch: that future is gone).
    void forgetAfter(long step);
    void clear();
    // The kept range, with every step in it; -1 for both when empty.
    long firstKept() const { return first_; }
    long lastKept() const { return last_; }

private:
    // Step n lives in entry n % kLabHistoryCapacity; one allocation, made
    // once (the ring is too big for a stack).
    std::unique_ptr<StepFigures[]> entries_;
    long first_ = -1;
    long last_ = -1;
};
