#pragma once

// What the picture shows besides the simulation itself: the following
// cameras' trail and the glow spheres' pulse. Each simulating step moves it
// on exactly once (whoever runs the steps calls advanceStepView), so what a
// step shows depends on the steps alone, not on how many frames were drawn.
// A frame's look is then read from the simulation, this and the viewer's
// free camera without changing any of them. No GL here.

#include "geometry/vector3.h"
#include "scene/simulation.h"

struct ContactHistory;

constexpr int kChaseTrailLength = 10;
// One glow sphere on each cone tip.
constexpr int kGlowSphereCount = 3;

// Where gluLookAt is pointed this frame.
struct CameraView {
    Vector3 eye;
    Vector3 center;
};

struct StepView {
    Vector3 chaseTrail[kChaseTrailLength];  // entry 0 newest
    int trailOf = -1;      // what the trail follows: ball k, kMaxBalls + shot slot, or -1
    int endedFollow = -1;  // the shot whose following the last step ended
    float glowPulse = 0.2f;
    float glowPulseStep = 0.005f;
    float glowAlpha = 0.8f;  // from the pulse before the last step's
    float glowScales[kGlowSphereCount] = {0.2f, 0.2f, 0.2f};
};

// The point `distance` behind `position` along its last move (towards
// `previous`); the position itself when the object has not moved or has no
// previous position yet.
Vector3 chaseTarget(const Vector3& position, const Vector3& previous, double distance);

// Once after every simulating step (and once at the start, for step 0):
// the trail takes the followed object's new chase point (a new object
// primes the trail first, all but its newest entry one step back along its
// velocity), and the pulse takes one step per glow sphere, by
// glowPulseStep * activeTimeStep, turning at the ends. `endedFollow` is
// the step's StepEvents::endedFollow; `selectedBall` as chasedBall takes it.
void advanceStepView(StepView& view, const Simulation& s, int endedFollow, int selectedBall);

// Where the session stands, for the help overlay: how many steps the scene
// stands behind the newest one it has been through, how many more it can go
// back, and while a recording plays, its step, length and pace (2 to the
// power replaySpeed, -3 .. 3); the file being recorded or played.
struct TimelineFigures {
    long stepsBack = 0;
    long stepsReach = 0;
    int replaying = 0;
    long replayStep = 0;
    long replaySteps = 0;
    int replaySpeed = 0;
    // A -record file being written, and the recording's or the replay's
    // file name without its folders ("" when there is neither).
    int recording = 0;
    char fileName[64] = {};
};

// What one frame shows.
struct FrameLook {
    CameraView camera;
    float glowAlpha = 0.0f;
    float glowScales[kGlowSphereCount] = {};
    bool flashShown[kExplosionCount] = {};
    const ContactHistory* contacts = nullptr;  // none: no marks, no contact lists
    int contactTime = 0;                        // the scene time the marks are aged to
    TimelineFigures timeline;
};

// The look of the current step: the camera of the controls now (a chase
// not yet moved by a step shows its primed trail), the step's pulse and its
// flashes. Reads only.
FrameLook lookAt(const Simulation& s, const StepView& view, const ContactHistory* contacts, int selectedBall);

// The ball F3 chases: the selected one (a slot, -1 for none) while it
// lives, else ball 0.
int chasedBall(const Simulation& s, int selectedBall);
