#pragma once

// The simulation as one value: everything a step reads or writes and
// everything the picture shows of it. Step back keeps copies of it, replays
// and tests compare whole copies; nothing of the window, the textures or the
// session lives here.

#include <cstdint>
#include <tuple>

#include "geometry/matrix3.h"
#include "geometry/vector3.h"
#include "platform/random_source.h"
#include "scene/sim_controls.h"

constexpr int kMaxBalls = 45;
constexpr int kShotCount = 30;
constexpr int kExplosionCount = 40;
constexpr int kSpawnSlotCount = 51;
// Ball k is body k, shot slot s is body kMaxBalls + s in per-body tables.
constexpr int kBodyCount = kMaxBalls + kShotCount;

struct Plane {
    Vector3 point;   // any point of the plane
    Vector3 normal;  // unit, pointing into the room
    auto fields() const { return std::tie(point, normal); }
};

struct Cylinder {
    Vector3 point;  // a point on the axis
    Vector3 axis;   // unit length
    double radius = 0.0;
    auto fields() const { return std::tie(point, axis, radius); }
};

struct Cone {
    Vector3 apex;
    Vector3 axis;  // unit, from the apex towards the open side
    double cosHalfAngle = 0.0;
    double sinHalfAngle = 0.0;
    auto fields() const { return std::tie(apex, axis, cosHalfAngle, sinHalfAngle); }
};

struct SpawnSlot {
    int x;
    int y;
    int z;
    int used;
    auto fields() const { return std::tie(x, y, z, used); }
};

struct Shot {
    Vector3 position;
    Vector3 previousPosition;
    Vector3 velocity;
    int life = 0;  // collisions left; 0 = free record
    auto fields() const { return std::tie(position, previousPosition, velocity, life); }
};

struct Explosion {
    Vector3 position;
    float alphaStart = 0.0f;
    float alphaEnd = 0.0f;
    float alpha = 0.0f;  // in use while above zero
    float scaleStart = 0.0f;
    float scaleEnd = 0.0f;
    float scale = 0.0f;
    float startTime = 0.0f;  // elapsed milliseconds at the spawn
    float duration = 0.0f;   // milliseconds
    int textureIndex = 0;
    auto fields() const {
        return std::tie(position, alphaStart, alphaEnd, alpha, scaleStart, scaleEnd, scale, startTime, duration,
                        textureIndex);
    }
};

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
    auto fields() const {
        return std::tie(subSteps, ignoredContacts, contacts, stepNumber, nonFiniteCandidates, separatingPairs,
                        touchingContacts);
    }
};

// What a ball's contact was with, for the inspect panel.
enum ContactWith : int { kWithWall, kWithPillar, kWithDome, kWithCone, kWithBall, kWithShot };

// A ball held by the pointer: each simulating step pulls it towards the
// target, a point on the plane through it facing the camera. Set only by
// recorded input, so replays and step back pull exactly as the live run did.
struct DragHold {
    int ball = -1;  // -1: nothing held
    Vector3 target;
    auto fields() const { return std::tie(ball, target); }
};

struct Simulation {
    // Options: the ball set and the size the room is grown by.
    int ballCount = 5;
    int ballRadius = 20;

    SpawnSlot spawnSlots[kSpawnSlotCount] = {
        {-220, 220, 0, 0},    {-220, 220, -100, 0}, {-220, 220, -200, 0}, {-120, 220, -200, 0},
        {-20, 220, -200, 0},  {80, 220, -200, 0},   {180, 220, -200, 0},  {-220, 70, -200, 0},
        {-120, 70, -200, 0},  {-20, 70, -200, 0},   {80, 70, -200, 0},    {180, 70, -200, 0},
        {-220, -50, -200, 0}, {-120, -50, -200, 0}, {-20, -50, -200, 0},  {80, -50, -200, 0},
        {180, -50, -200, 0},  {220, 220, -100, 0},  {220, 220, 10, 0},    {220, 220, 120, 0},
        {220, 220, 230, 0},   {180, 70, -100, 0},   {180, 70, 10, 0},     {180, 70, 120, 0},
        {180, 70, 230, 0},    {150, -70, -100, 0},  {150, -70, 10, 0},    {150, -70, 120, 0},
        {150, -70, 230, 0},   {-120, 220, 220, 0},  {-20, 220, 220, 0},   {80, 220, 220, 0},
        {-220, 70, 220, 0},   {-120, 70, 220, 0},   {-20, 70, 220, 0},    {80, 70, 220, 0},
        {-220, -50, 220, 0},  {-120, -50, 220, 0},  {-20, -50, 220, 0},   {80, -50, 220, 0},
        {-120, 220, 120, 0},  {-20, 220, 120, 0},   {80, 220, 120, 0},    {-220, 70, 120, 0},
        {-120, 70, 120, 0},   {-20, 70, 120, 0},    {80, 70, 120, 0},     {-220, -50, 120, 0},
        {-120, -50, 120, 0},  {-20, -50, 120, 0},   {80, -50, 120, 0},
    };

    // Balls.
    Vector3 ballPositions[kMaxBalls];
    Vector3 ballVelocities[kMaxBalls];
    Vector3 ballPreviousPositions[kMaxBalls];
    Vector3 ballColors[kMaxBalls];
    int ballAlive[kMaxBalls] = {};
    Vector3 initialVelocity{0.5, -0.1, 0.5};
    Vector3 gravity{0.0, -0.05, 0.0};

    // Room and obstacles, built by buildSceneGeometry from ballRadius.
    Plane collisionPlanes[6];
    Plane wallPlanes[6];
    Cylinder collisionCylinders[3];
    Cylinder obstacleCylinders[3];
    Cone collisionCones[3];
    Cone obstacleCones[3];

    // The free camera's turn by one arrow step.
    Matrix3 turnLeftMatrix;
    Matrix3 turnRightMatrix;

    // Speed, modes, held input, the free camera and the scene clock's pause.
    SimControls controls;

    // Effects.
    Shot shots[kShotCount];
    Explosion explosions[kExplosionCount];
    int lastShotTime = 0;  // elapsed milliseconds of the last shot or launched ball
    DragHold drag;
    // The scene clock when the last simulating step ended: what its flashes
    // and contact marks are shown aged by, whenever its frames are drawn.
    int stepSceneTime = 0;

    RandomGenerator random;

    // The step's bookkeeping: simulating steps so far, the last one's
    // figures, the simulated time its sub-steps have still to run, and each
    // body's contacts at no progress in it.
    long stepsRun = 0;
    StepStats stats;
    double remaining = 0.0;
    int zeroTimeContacts[kBodyCount] = {};

    Simulation();
    auto fields() const {
        return std::tie(ballCount, ballRadius, spawnSlots, ballPositions, ballVelocities, ballPreviousPositions,
                        ballColors, ballAlive, initialVelocity, gravity, collisionPlanes, wallPlanes,
                        collisionCylinders, obstacleCylinders, collisionCones, obstacleCones, turnLeftMatrix,
                        turnRightMatrix, controls, shots, explosions, lastShotTime, drag, stepSceneTime, random, stepsRun, stats, remaining, zeroTimeContacts);
    }
};

// Equal to the bit: doubles and floats by their bit patterns.
bool operator==(const Simulation& a, const Simulation& b);
inline bool operator!=(const Simulation& a, const Simulation& b) { return !(a == b); }

// Live balls and busy shot records right now.
int liveBallCount(const Simulation& s);
int liveShotCount(const Simulation& s);
