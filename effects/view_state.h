#pragma once

// The view state that each frame advances: the chase trail of the following
// cameras, the end of shot following, and the glow pulse. Kept free of GL so
// the rules can be checked without a window.

#include "geometry/vector3.h"
#include "scene/readings.h"
#include "scene/scene_state.h"
#include "scene/simulation.h"

// Where gluLookAt is pointed this frame.
struct CameraView {
    Vector3 eye;
    Vector3 center;
};

// The point `distance` behind `position` along its last move (towards
// `previous`); the position itself when the object has not moved or has no
// previous position yet.
Vector3 chaseTarget(const Vector3& position, const Vector3& previous, double distance);

// Starts a chase: entries 0..8 of s.view.chaseTrail all become the point one
// step back along `velocity`; the newest entry (9) is left as it was.
void primeChaseTrail(Simulation& s, const Vector3& position, const Vector3& velocity);

// Shifts s.view.chaseTrail one place (entry 0 newest), stores target in
// entry 0 and returns the eye: 0.1 times the sum of entries 0..8. In a
// paused frame the trail stays as it is.
Vector3 advanceChaseTrail(Simulation& s, const SceneState& scene, const Vector3& target);

// Chooses the camera for this frame (ball chase, shot follow, free), moves
// the trail when following, and ends shot following once the followed shot
// has died (this frame still looks at it). `selectedBall` as chasedBall takes it.
CameraView advanceCamera(Simulation& s, const SceneState& scene, int selectedBall);

// One pulse step of the glow spheres, run once per sphere: grows or shrinks
// s.view.glowPulse by glowPulseStep * activeTimeStep and turns at the ends.
// Returns the new scale. A paused frame leaves the pulse as it is.
float advanceGlowPulse(Simulation& s, const SceneState& scene);

// One glow sphere on each cone tip.
constexpr int kGlowSphereCount = 3;

// What one frame shows of the state that frames move on.
struct FrameLook {
    CameraView camera;
    float glowAlpha = 0.0f;  // from the pulse of the previous frame
    float glowScales[kGlowSphereCount] = {};
    bool flashShown[kExplosionCount] = {};  // in use when the frame began
    int sceneTime = 0;  // the scene clock the frame shows (contact marks fade by it)
};

// Everything a frame moves on, once at its start, so that the drawing only
// reads: whether the view advances, the camera and its trail (and the end
// of shot following), one pulse step per glow sphere, and the flashes'
// fade on the scene clock read from `readings` (a flash that fades out in
// this frame is still drawn once).
FrameLook advanceFrameView(Simulation& s, SceneState& scene, int selectedBall, Readings& readings);

// The ball F3 chases: the selected one (a slot, -1 for none) while it
// lives, else ball 0.
int chasedBall(const Simulation& s, int selectedBall);
