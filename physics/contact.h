#pragma once

#include "geometry/vector3.h"

constexpr double kNoContact = 10000.0;

// The earliest accepted collision of a sub-step.
struct Contact {
    double time = kNoContact;  // from the start of the sub-step
    int body = 0;              // ball index, or -1 - slot for a shot
    Vector3 normal;            // from the obstacle towards the body
    Vector3 point;             // where the flash goes
    int hitBall = -1;          // for a shot that hit a ball: its index
    bool tipHit = false;       // a ball struck a cone inside its tip zone
    int with = 0;              // ContactWith: what a ball met (kWithShot for a shot's contact)
};
