#pragma once

// The one global record of all simulation, view and input state. Every
// module reaches its fields directly; there is one scene, one window and one
// thread.

#include "geometry/matrix3.h"
#include "geometry/vector3.h"

constexpr int kMaxBalls = 45;
constexpr int kShotCount = 30;
constexpr int kExplosionCount = 40;
constexpr int kSpawnSlotCount = 51;
constexpr int kChaseTrailLength = 10;
constexpr int kTextureCount = 6;
constexpr int kContactMarkCount = 256;

struct Plane {
    Vector3 point;   // any point of the plane
    Vector3 normal;  // unit, pointing into the room
};

struct Cylinder {
    Vector3 point;  // a point on the axis
    Vector3 axis;   // unit length
    double radius = 0.0;
};

struct Cone {
    Vector3 apex;
    Vector3 axis;  // unit, from the apex towards the open side
    double cosHalfAngle = 0.0;
    double sinHalfAngle = 0.0;
};

struct SpawnSlot {
    int x;
    int y;
    int z;
    int used;
};

struct Shot {
    Vector3 position;
    Vector3 previousPosition;
    Vector3 velocity;
    int life = 0;  // collisions left; 0 = free record
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
};

// One contact as the collision view shows it.
struct ContactMark {
    Vector3 point;
    Vector3 normal;
    int time = 0;  // scene milliseconds when it happened
    int used = 0;
};

struct SceneState {
    // Options and window.
    int ballCount = 5;
    int ballRadius = 20;
    int windowSize[2] = {640, 480};

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

    // Camera.
    Vector3 cameraPosition{0.0, -50.0, 1000.0};
    Vector3 viewDirection{0.0, 0.0, -10.0};
    float cameraYaw = 0.0f;  // degrees
    Matrix3 turnLeftMatrix;
    Matrix3 turnRightMatrix;
    Vector3 chaseTrail[kChaseTrailLength];
    int followedShot = -1;
    int followBall = 0;

    // Time and modes.
    double timeStep = 0.3;
    double activeTimeStep = 0.3;
    int soundOn = 1;
    int autoFire = 0;
    int launchMode = 0;
    int resetRequested = 0;

    // Input.
    int upKeyDown = 0;
    int downKeyDown = 0;
    int leftKeyDown = 0;
    int rightKeyDown = 0;
    int mouseX = 0;
    int mouseY = 0;
    int leftButtonDown = 0;
    int lastShotTime = 0;  // elapsed milliseconds of the last shot or launched ball

    // Effects and bookkeeping.
    Shot shots[kShotCount];
    Explosion explosions[kExplosionCount];
    float glowPulse = 0.2f;
    float glowPulseStep = 0.005f;
    int stepsSincePace = 0;
    int lastPaceTime = 0;

    // Inspect mode (letter keys): pause and single steps, collision view,
    // help overlay, and the scene clock that stands still while paused.
    int paused = 0;
    int singleStepsPending = 0;
    int collisionView = 0;
    int helpOverlay = 0;
    int pausedSceneTime = 0;  // the scene clock while paused
    int pausedTotal = 0;      // milliseconds spent paused so far
    int viewFrameOwed = 0;    // a single step ran: its frame moves the view on once
    int viewAdvances = 1;     // this frame moves the glow pulse and chase trail on
    unsigned int randomSeed = 0;
    ContactMark contactMarks[kContactMarkCount];
    int nextContactMark = 0;  // ring: the oldest entry is overwritten when full

    // Step back and replays, for the help overlay: how many steps the scene
    // stands behind the newest one it has been through, how many more it
    // can go back, and while a recording plays, its step and length.
    long historyStepsBack = 0;
    long historyReach = 0;
    long replayStep = 0;
    long replaySteps = 0;
    int replaying = 0;

    // Rendering resources, owned by the drawing code. Kept as plain handles
    // so this header stays free of GL.
    void* quadric = nullptr;  // GLUquadric*
    unsigned int textureNames[kTextureCount] = {};
    unsigned int explosionList = 0;
    float materialSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float light0Position[4] = {0.0f, 400.0f, 0.0f, 1.0f};
    float light0Ambient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
    float sceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};

    SceneState();
};

extern SceneState scene;

// Restores every field to its value before start-up (tests call it between cases).
void resetSceneState();

// Live balls and busy shot records right now.
int liveBallCount();
int liveShotCount();
