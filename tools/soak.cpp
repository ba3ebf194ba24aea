// Long headless run of the simulation: a full room of balls under automatic
// fire at the highest speed, stepped as fast as the machine goes with a
// clock that advances 50 ms per step. Prints how it held up: values that are
// not finite, balls out of the room, and the deepest any ball got into a
// dome, pillar or cone.
//
//   vl_soak [steps] [seed] [radius]      (defaults 100000, 1 and 20)
//
// A ball thrown from a camera outside the room (the starting camera is) can
// pass obstacles on its way in from behind and is not a fault of the step;
// such a ball is left out of the obstacle measures until the next reset.
// This run throws no balls, so it only matters when one is added.
//
// The last line is a fingerprint of the final state and the event counts:
// equal lines mean the two runs agreed to the bit.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "app/headless_scene.h"
#include "app/live_simulation.h"
#include "physics/simulation_step.h"
#include "physics/state_hash.h"
#include "scene/obstacle_clearance.h"

namespace {

constexpr double kRoomHalfSize = 320.0;

bool finite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

bool outsideRoom(const Vector3& v) {
    return std::fabs(v.x) > kRoomHalfSize || std::fabs(v.y) > kRoomHalfSize || std::fabs(v.z) > kRoomHalfSize;
}

// A centre inside one of the grown obstacles by more than this got through a
// surface it should have bounced off.
constexpr double kHair = 1e-6;

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
    long nonFinite = 0;  // ball or shot records with a NaN or infinity, summed over the steps
    double deepestEntry = 0.0;
    long deepestEntryAt = -1;
    bool thrownFromOutside[kMaxBalls] = {};
    int leftOut = 0;
    long nonFiniteCandidates = 0;
    long separatingPairs = 0;
    long touchingContacts = 0;
    for (long step = 0; step < steps; ++step) {
        // Balls die at the cone tips; refill the room as the reset key would.
        if (liveBallCount(sim) == 0) {
            sim.controls.resetRequested = 1;
            ++resets;
            for (bool& e : escaped) e = false;
            for (bool& e : inside) e = false;
            for (bool& t : thrownFromOutside) t = false;
        }
        const bool resetting = sim.controls.resetRequested != 0;
        const Vector3 launchPoint = sim.controls.cameraPosition;
        int aliveBefore[kMaxBalls];
        for (int k = 0; k < kMaxBalls; ++k) aliveBefore[k] = sim.ballAlive[k];
        runHeadlessStep();
        // A ball that came alive without a reset was thrown from the camera.
        for (int k = 0; k < kMaxBalls; ++k) {
            if (!resetting && aliveBefore[k] == 0 && sim.ballAlive[k] != 0 && outsideRoom(launchPoint)) {
                thrownFromOutside[k] = true;
                ++leftOut;
            }
        }

        const StepStats stepStats = sim.stats;
        nonFiniteCandidates += stepStats.nonFiniteCandidates;
        separatingPairs += stepStats.separatingPairs;
        touchingContacts += stepStats.touchingContacts;
        const int subSteps = stepStats.subSteps;
        ignoredContacts += stepStats.ignoredContacts;
        subStepTotal += subSteps;
        if (subSteps > maxSubSteps) {
            maxSubSteps = subSteps;
            maxSubStepsAt = step;
        }
        bool bad = false;
        for (int k = 0; k < kMaxBalls; ++k) {
            if (sim.ballAlive[k] == 0) continue;
            if (!finite(sim.ballPositions[k]) || !finite(sim.ballVelocities[k])) {
                bad = true;
                ++nonFinite;
            }
            if (thrownFromOutside[k]) continue;
            const double entry = deepestObstacleEntry(sim, sim.ballPositions[k]);
            if (entry > deepestEntry) {
                deepestEntry = entry;
                deepestEntryAt = step;
            }
            if (entry > kHair) {
                ++insideEvents;
                if (!inside[k]) {
                    inside[k] = true;
                    ++insideBalls;
                    std::printf("step %ld: ball %d inside an obstacle at (%g, %g, %g)\n", step, k,
                                sim.ballPositions[k].x, sim.ballPositions[k].y, sim.ballPositions[k].z);
                }
            }
            if (outsideRoom(sim.ballPositions[k])) {
                ++escapeEvents;
                if (!escaped[k]) {
                    escaped[k] = true;
                    ++escapedBalls;
                    std::printf("step %ld: ball %d outside at (%g, %g, %g)\n", step, k, sim.ballPositions[k].x,
                                sim.ballPositions[k].y, sim.ballPositions[k].z);
                }
            }
        }
        for (const Shot& shot : sim.shots) {
            if (shot.life != 0 && (!finite(shot.position) || !finite(shot.velocity))) {
                bad = true;
                ++nonFinite;
            }
        }
        if (bad) ++nanSteps;
    }

    int alive = 0;
    int outsideAtEnd = 0;
    for (int k = 0; k < kMaxBalls; ++k) {
        if (sim.ballAlive[k] == 0) continue;
        ++alive;
        if (outsideRoom(sim.ballPositions[k])) ++outsideAtEnd;
    }
    std::printf("steps %ld\n", steps);
    std::printf("max sub-steps %d (step %ld), mean %.2f\n", maxSubSteps, maxSubStepsAt,
                steps > 0 ? static_cast<double>(subStepTotal) / steps : 0.0);
    std::printf("contacts let pass by the zero-time guard %ld\n", ignoredContacts);
    std::printf("steps with NaN or inf %ld, ball and shot records with NaN or inf %ld\n", nanSteps, nonFinite);
    std::printf("scene resets %ld\n", resets);
    std::printf("balls alive %d, outside the room at the end %d\n", alive, outsideAtEnd);
    std::printf("escapes: %d balls, %ld ball-steps outside\n", escapedBalls, escapeEvents);
    std::printf("inside obstacles: %d balls, %ld ball-steps\n", insideBalls, insideEvents);
    std::printf("deepest entry into a dome, pillar or cone %.3g (step %ld)\n", deepestEntry, deepestEntryAt);
    std::printf("balls thrown from outside the room, left out of the obstacle measures %d\n", leftOut);
    std::printf("edge rules: hits without a finite time refused %ld, separating pairs passed over %ld, "
                "contacts of balls touching a dome or cone %ld\n",
                nonFiniteCandidates, separatingPairs, touchingContacts);
    // Last, so two builds (or two machines) compare their runs with one line.
    StateHash final;
    final.value = sceneStateHash(sim);
    for (long count : {resets, subStepTotal, ignoredContacts, nonFiniteCandidates, separatingPairs,
                       touchingContacts, insideEvents, escapeEvents}) {
        final.addInt(count);
    }
    char text[17];
    formatStateHash(final.value, text);
    std::printf("final state hash: %s\n", text);
    return nanSteps == 0 && escapedBalls == 0 && deepestEntry < 1e-3 ? 0 : 1;
}
