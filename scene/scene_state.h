#pragma once

// What the runner keeps between steps and frames beside the simulation
// (scene/simulation.h): the single steps asked for while paused, whether
// the frame moves the view on, and the session's figures for the help
// overlay. The program's one instance belongs to app/; the code below is
// handed it.

struct SceneState {
    // Single steps asked for while paused (O); whether this frame moves the
    // view on (a single step owes its frame that).
    int singleStepsPending = 0;
    int viewFrameOwed = 0;
    int viewAdvances = 1;

    // Step back and replays, for the help overlay: how many steps the scene
    // stands behind the newest one it has been through, how many more it
    // can go back, and while a recording plays, its step and length.
    long historyStepsBack = 0;
    long historyReach = 0;
    long replayStep = 0;
    long replaySteps = 0;
    int replaying = 0;
    // How fast a replay plays (F1 / F2 during it): 2 to this power, -3 .. 3.
    int replaySpeed = 0;
};
