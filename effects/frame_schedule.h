#pragma once

// When smooth motion draws its frames between two steps: three frames a
// step (the step's own and two between), at about 60 a second, each aimed
// at an even share of the 49 ms from one step to the next (the pacing's).
// A frame between steps is begun only when, at what the last frames cost,
// it still ends a few milliseconds before the step is due, so the steps
// keep their time; one that would end later is begun earlier, right after
// the frame before it, or left out. Times are handed in: no clock here.

constexpr int kFramesPerStep = 3;
constexpr int kStepSlotMilliseconds = 49;
constexpr int kStepMargin = 3;

struct FrameChoice {
    enum Kind { Draw, Wait, Pace } kind = Pace;
    int wait = 0;  // milliseconds to sleep first, for Wait
};

// `framesSinceStep` frames drawn since the step's own, `sinceStepFrame`
// milliseconds since it, `untilStep` until the next step is due, a frame
// costing `frameCost`. Pace: no frame fits before the step any more.
FrameChoice chooseFrameBetweenSteps(int framesSinceStep, int sinceStepFrame, int untilStep, int frameCost);

// The cost to plan with after a frame that took `cost`: a dearer frame
// counts at once, a cheaper one halves the gap, so a slow frame keeps the
// next few clear of the step and a stall is forgotten within frames.
int nextFrameCost(int planned, int cost);
