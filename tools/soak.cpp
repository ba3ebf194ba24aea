// Long headless run of the simulation: a full room of balls under automatic
// fire at the highest speed, stepped as fast as the machine goes with a
// clock that advances 50 ms per step. Prints how it held up.
//
//   vl_soak [steps] [seed] [radius]      (defaults 100000, 1 and 20)

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/headless_scene.h"
#include "physics/simulation_step.h"
#include "scene/scene_state.h"

namespace {

constexpr double kRoomHalfSize = 320.0;

bool finite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

bool outsideRoom(const Vector3& v) {
    return std::fabs(v.x) > kRoomHalfSize || std::fabs(v.y) > kRoomHalfSize || std::fabs(v.z) > kRoomHalfSize;
}

// Centre inside one of the grown obstacles, by more than a hair: a ball
// that got through a surface it should have bounced off.
bool insideObstacle(const Vector3& p) {
    const double hair = 1e-6;
    const double r = scene.ballRadius;
    if (p.Distance(Vector3(-200, -300, 170)) < r + 100 - hair) return true;
    if (p.Distance(Vector3(0, -300, -170)) < r + 80 - hair) return true;
    for (const Cylinder& c : scene.collisionCylinders) {
        const Vector3 rel = p - c.point;
        const Vector3 across = rel - c.axis * Dot(rel, c.axis);
        if (across.Length() < c.radius - hair) return true;
    }
    for (const Cone& c : scene.collisionCones) {
        const Vector3 rel = p - c.apex;
        if (Dot(rel, c.axis) > rel.Length() * c.cosHalfAngle + hair) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const long steps = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1u;
    const int radius = argc > 3 ? static_cast<int>(std::strtol(argv[3], nullptr, 10)) : 20;

    HeadlessSettings settings;
    settings.ballCount = kMaxBalls;
    settings.ballRadius = radius;
    settings.seed = seed;
    settings.timeStep = 0.8;
    settings.autoFire = 1;
    startHeadlessScene(settings);

    int maxSubSteps = 0;
    long maxSubStepsAt = -1;
    long subStepTotal = 0;
    long ignoredContacts = 0;  // let pass by the zero-time guard
    long nanSteps = 0;
    long escapeEvents = 0;  // a live ball outside the room at the end of a step
    int escapedBalls = 0;   // distinct slots ever seen outside
    bool escaped[kMaxBalls] = {};
    long insideEvents = 0;  // a live ball inside an obstacle at the end of a step
    int insideBalls = 0;
    bool inside[kMaxBalls] = {};
    long resets = 0;
    for (long step = 0; step < steps; ++step) {
        // Balls die at the cone tips; refill the room as the reset key would.
        if (liveBallCount() == 0) {
            scene.resetRequested = 1;
            ++resets;
            for (bool& e : escaped) e = false;
            for (bool& e : inside) e = false;
        }
        runHeadlessStep();

        const StepStats stepStats = lastStepStats();
        const int subSteps = stepStats.subSteps;
        ignoredContacts += stepStats.ignoredContacts;
        subStepTotal += subSteps;
        if (subSteps > maxSubSteps) {
            maxSubSteps = subSteps;
            maxSubStepsAt = step;
        }
        bool bad = false;
        for (int k = 0; k < kMaxBalls; ++k) {
            if (scene.ballAlive[k] == 0) continue;
            if (!finite(scene.ballPositions[k]) || !finite(scene.ballVelocities[k])) bad = true;
            if (insideObstacle(scene.ballPositions[k])) {
                ++insideEvents;
                if (!inside[k]) {
                    inside[k] = true;
                    ++insideBalls;
                    std::printf("step %ld: ball %d inside an obstacle at (%g, %g, %g)\n", step, k,
                                scene.ballPositions[k].x, scene.ballPositions[k].y, scene.ballPositions[k].z);
                }
            }
            if (outsideRoom(scene.ballPositions[k])) {
                ++escapeEvents;
                if (!escaped[k]) {
                    escaped[k] = true;
                    ++escapedBalls;
                    std::printf("step %ld: ball %d outside at (%g, %g, %g)\n", step, k, scene.ballPositions[k].x,
                                scene.ballPositions[k].y, scene.ballPositions[k].z);
                }
            }
        }
        for (const Shot& shot : scene.shots) {
            if (shot.life != 0 && (!finite(shot.position) || !finite(shot.velocity))) bad = true;
        }
        if (bad) ++nanSteps;
    }

    int alive = 0;
    int outsideAtEnd = 0;
    for (int k = 0; k < kMaxBalls; ++k) {
        if (scene.ballAlive[k] == 0) continue;
        ++alive;
        if (outsideRoom(scene.ballPositions[k])) ++outsideAtEnd;
    }
    std::printf("steps %ld\n", steps);
    std::printf("max sub-steps %d (step %ld), mean %.2f\n", maxSubSteps, maxSubStepsAt,
                steps > 0 ? static_cast<double>(subStepTotal) / steps : 0.0);
    std::printf("contacts let pass by the zero-time guard %ld\n", ignoredContacts);
    std::printf("steps with NaN or inf %ld\n", nanSteps);
    std::printf("scene resets %ld\n", resets);
    std::printf("balls alive %d, outside the room at the end %d\n", alive, outsideAtEnd);
    std::printf("escapes: %d balls, %ld ball-steps outside\n", escapedBalls, escapeEvents);
    std::printf("inside obstacles: %d balls, %ld ball-steps\n", insideBalls, insideEvents);
    return nanSteps == 0 && escapedBalls == 0 ? 0 : 1;
}
