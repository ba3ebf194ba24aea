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

// What the last step did, for the soak runs, tests and the help overlay:
// sub-steps run, contacts at no progress that the zero-time guard let pass,
// contacts answered, the number of simulating steps so far (this one
// included), and how often the rules for the edge cases acted: hits without
// a finite time refused, overlapping pairs that separate passed over by the
// pair search, and balls touching a dome or cone given their contact at time
// 0. A step held by the pause leaves the figures as they were.
struct StepStats {
    int subSteps = 0;
    int ignoredContacts = 0;
    int contacts = 0;
    long stepNumber = 0;
    int nonFiniteCandidates = 0;
    int separatingPairs = 0;
    int touchingContacts = 0;
};
StepStats lastStepStats();

// The step count and the last step's figures, taken and put back with the
// rest of the scene when it goes back in time.
struct StepCounters {
    long stepsRun = 0;
    StepStats stats;
};
StepCounters stepCounters();
void setStepCounters(const StepCounters& counters);
