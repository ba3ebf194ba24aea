#pragma once

// Smooth motion: a frame between two steps shows the picture part way from
// the earlier step's frame to the later one's. Only what is drawn is
// blended (ball, shot and flash positions, the flashes' growth and fading,
// the camera, the glow pulse); nothing drawn feeds back into a step, so the
// steps compute exactly what they compute without it. No GL here.

#include "effects/view_state.h"
#include "scene/simulation.h"

// What a step's frame showed: the simulation after the frame moved its view
// on, and the frame's look.
struct ShownFrame {
    Simulation state;
    FrameLook look;
};

// A body that moves farther than this between two steps was put somewhere
// (a reset, a record reused, the camera sent home or switched): the frames
// between show it where it was, and the next step's frame where it is.
constexpr double kBlendJumpLimit = 100.0;

// Writes into `into` the picture at `fraction` (0 to 1) of the way from
// `before` to `after`: at 0 exactly `before`. Whatever appears, disappears
// or jumps between the two stays as in `before` until the next step's frame.
void blendFrames(const ShownFrame& before, const ShownFrame& after, double fraction, ShownFrame& into);
