#pragma once

// Toolkit and GL calls the step needs, installed by the program; tests leave
// them empty or install recorders.
struct StepHooks {
    void (*setClipPlane0)(int enabled) = nullptr;
    void (*postRedisplay)() = nullptr;
};
extern StepHooks stepHooks;

// The idle callback: paces to at most about 20 steps a second, then runs one step.
void simulationStep();

// Waits until the first clock reading at least 49 ms after the previous pacing point.
void paceStep();

// Milliseconds until paceStep would let the next step run at once (0 when
// it is due): a caller that must not wait inside paceStep (the page) sets
// a timer for this long first.
int millisecondsUntilStepDue();

// Everything of a step after the pacing: requests, camera and firing,
// gravity, the sub-step loop and the redisplay request.
void runStepBody();

// The two halves of runStepBody, for callers that decide about the pause
// themselves (step back and replays): a step held by the pause (only the
// free camera moves), and a simulating step.
void runPausedStep();
void runSimulatingStep();
