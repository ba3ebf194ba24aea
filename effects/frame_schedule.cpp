#include "effects/frame_schedule.h"

FrameChoice chooseFrameBetweenSteps(int framesSinceStep, int sinceStepFrame, int untilStep, int frameCost) {
    FrameChoice choice;
    const int next = framesSinceStep + 1;
    if (next >= kFramesPerStep) return choice;
    const int room = untilStep - frameCost - kStepMargin;
    if (room < 0) return choice;
    const int aim = next * kStepSlotMilliseconds / kFramesPerStep;
    int wait = aim - sinceStepFrame;
    if (wait > room) wait = room;
    if (wait > 0) {
        choice.kind = FrameChoice::Wait;
        choice.wait = wait;
        return choice;
    }
    choice.kind = FrameChoice::Draw;
    return choice;
}

int nextFrameCost(int planned, int cost) { return cost >= planned ? cost : (planned + cost) / 2; }
