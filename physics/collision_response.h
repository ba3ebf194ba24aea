#pragma once

#include "physics/contact.h"
#include "physics/step_events.h"
#include "scene/readings.h"
#include "scene/simulation.h"

// The responses spend from the step's simulated time still to run (s.remaining).
void respondToContact(Simulation& s, const Contact& contact, Readings& readings, StepEvents& events);
void respondToBallPair(Simulation& s, int i, int j, double t, Readings& readings);

// New velocity mirrored about a unit normal, same speed.
Vector3 reflectVelocity(const Vector3& velocity, const Vector3& normal);
