#pragma once

// The contacts the steps hand out, kept for the display: the collision
// view's marks of the last second and each ball's last few contacts for the
// inspect panel. Not part of the simulation (no step reads it back); the
// session keeps a copy with each snapshot so that going back shows what the
// live run showed. Floats: it is only drawn and printed.

#include "geometry/vector3.h"
#include "scene/simulation.h"

// How long a mark is shown, in scene milliseconds.
constexpr int kContactMarkLifetime = 1000;
constexpr int kContactMarkCount = 256;
constexpr int kBallContactsKept = 4;

// One contact as the collision view shows it.
struct ContactMark {
    float point[3] = {};
    float normal[3] = {};
    int time = 0;  // scene milliseconds when it happened
    int used = 0;
    Vector3 pointVector() const { return Vector3(point[0], point[1], point[2]); }
    Vector3 normalVector() const { return Vector3(normal[0], normal[1], normal[2]); }
};

// One of a ball's last contacts: the step, what it met (for a ball, which),
// the normal towards the ball, and its speed before and after.
struct BallContact {
    int step = 0;  // 0: none yet
    short with = kWithWall;
    short other = -1;
    float normal[3] = {};
    float speedBefore = 0.0f;
    float speedAfter = 0.0f;
};

struct ContactHistory {
    ContactMark marks[kContactMarkCount];
    int nextMark = 0;  // ring: the oldest entry is overwritten when full
    // Ball k's last contacts: a ring at k * kBallContactsKept, next one to write in nextBallContact[k].
    BallContact ballContacts[kMaxBalls * kBallContactsKept];
    unsigned char nextBallContact[kMaxBalls] = {};

    void addMark(const Vector3& point, const Vector3& normal, int time);
    // Notes a contact of ball `ball` in its own ring of the last few.
    void addBallContact(long step, int ball, int with, int other, const Vector3& normal, double speedBefore,
                        double speedAfter);
    // Frees every mark and every ball's contacts (the scene reset does).
    void clear();
    // Ball k's contacts, newest first: i from 0 to kBallContactsKept - 1.
    const BallContact& ballContact(int ball, int i) const;
};

// How much of its life the mark has left at scene time `now`: 1 when new,
// falling to 0 at kContactMarkLifetime; 0 for a free or expired mark.
float contactMarkFade(const ContactMark& mark, int now);
