#pragma once

// The contacts of the last second, kept for the collision view: where each
// happened and its normal. A ring of s.contactMarks: when it is full the
// oldest mark gives way. Ages run on the scene clock, so marks stand still
// while paused.

#include "geometry/vector3.h"
#include "scene/readings.h"
#include "scene/simulation.h"

// How long a mark is shown, in scene milliseconds.
constexpr int kContactMarkLifetime = 1000;

void recordContactMark(Simulation& s, const Vector3& point, const Vector3& normal, Readings& readings);

// Notes a contact of ball `ball` in its own ring of the last few.
void recordBallContact(Simulation& s, int ball, int with, int other, const Vector3& normal, double speedBefore,
                       double speedAfter);

// Frees every mark and every ball's contacts (the scene reset does this with the flashes).
void clearContactMarks(Simulation& s);

// How much of its life the mark has left at scene time `now`: 1 when new,
// falling to 0 at kContactMarkLifetime; 0 for a free or expired mark.
float contactMarkFade(const ContactMark& mark, int now);
