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
constexpr unsigned kMarkFire = 1u << 0;    // a button pressed to fire
constexpr unsigned kMarkThrow = 1u << 1;   // the left button in throw mode (F6)
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

// The plotted figures again, one ring per figure (step n at
// n % kLabHistoryCapacity, as the entries), so that the plots copy a whole
// range at once each frame.
enum PlottedFigure { kPlotKinetic, kPlotPotential, kPlotTotal, kPlotContacts, kPlottedFigures };

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
    // The rings; only the kept steps' places in them mean anything. A
    // ball's speed is negative where it was dead.
    const float* plottedRing(PlottedFigure figure) const { return plotted_.get() + figure * kLabHistoryCapacity; }
    const float* speedRing(int slot) const { return speeds_.get() + slot * kLabHistoryCapacity; }

private:
    // Step n lives in entry n % kLabHistoryCapacity; one allocation, made
    // once (the ring is too big for a stack).
    std::unique_ptr<StepFigures[]> entries_;
    std::unique_ptr<float[]> plotted_;  // by figure, then by step
    std::unique_ptr<float[]> speeds_;   // by ball, then by step
    long first_ = -1;
    long last_ = -1;
};
