#pragma once

// Inspect mode: pause and single steps (P, O), the collision view (V) and
// the help overlay (H). Nothing here draws: the step asks whether it may
// simulate, and the effects read a scene clock that stands still while
// paused.

#include "scene/readings.h"
#include "scene/simulation.h"
#include "scene/viewer_state.h"

// How far one single step moves the scene clock on: one paced step.
constexpr int kSingleStepMilliseconds = 50;

// P: pauses, or resumes at the speed chosen meanwhile.
void togglePause(Simulation& s, Readings& readings);
// V and H.
void toggleCollisionView(ViewerState& viewer);
// Shift+V: the collision view's layers, in turn all three, the volumes,
// the contacts, the velocities (and the view on, if it was off).
void pickCollisionLayers(ViewerState& viewer);
constexpr int kLayerVolumes = 1;
constexpr int kLayerContacts = 2;
constexpr int kLayerVelocities = 4;
void toggleHelpOverlay(ViewerState& viewer);

// Asked once by every step: true when it is to simulate (running, or one
// of `singleStepsPending`, the single steps O asked for, is due; it is
// taken, and moves the scene clock on by one step).
bool takeSimulationTurn(Simulation& s, int& singleStepsPending);

// Elapsed milliseconds without the time spent paused: what flashes and
// contact marks age by. Equal to the elapsed time until the first pause.
int sceneMilliseconds(const Simulation& s, Readings& readings);
