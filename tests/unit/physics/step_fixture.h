#pragma once

// Shared set-up of the step and response tests: a fresh scene with the room
// built for radius 20, fake clock and cue recorder, and the step taken as
// the session takes a live one, with what it asks of the window recorded.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "effects/contact_log.h"
#include "effects/inspect_mode.h"
#include "effects/view_state.h"
#include "physics/collision_response.h"
#include "physics/simulation_step.h"
#include "scene/scene_layout.h"
#include "tests/support/fakes.h"
#include "tests/support/test_readings.h"
#include "tests/support/test_simulation.h"

namespace stepfix {

// What the display keeps of the steps, fed as the session feeds it.
inline ContactHistory& contacts() {
    static ContactHistory kept;
    return kept;
}
inline StepView& stepView() {
    static StepView kept;
    return kept;
}

// The single steps O asked for, held as the session holds them.
inline int& singleStepsPending() {
    static int pending = 0;
    return pending;
}
inline void requestSingleStep() {
    if (sim.controls.paused != 0) ++singleStepsPending();
}

inline std::vector<int>& clipPlaneCalls() {
    static std::vector<int> calls;
    return calls;
}
inline int& redisplayCount() {
    static int count = 0;
    return count;
}

// Does what the events ask, as the program's idle callback does: the cues
// go to the installed (fake) player, the window requests to the recorders.
inline void carryOut(const StepEvents& events) {
    for (int i = 0; i < events.cueCount; ++i) playCue(events.cues[i]);
    if (events.clipPlane0 >= 0) clipPlaneCalls().push_back(events.clipPlane0);
    if (events.redisplay) ++redisplayCount();
}

// One step: held by the pause or simulating, on the live (fake) clock.
inline void runStep() {
    StepEvents events;
    events.contacts = &contacts();
    if (sim.controls.paused == 0) singleStepsPending() = 0;
    if (takeSimulationTurn(sim, singleStepsPending())) {
        runSimulatingStep(sim, testReadings(), events);
        advanceStepView(stepView(), sim, events.endedFollow, viewer.selectedBall);
    } else {
        runPausedStep(sim, events);
    }
    carryOut(events);
}

// A response on its own, its cues played.
inline void respond(const Contact& contact) {
    StepEvents events;
    respondToContact(sim, contact, testReadings(), events);
    carryOut(events);
}
inline void respondToPair(int i, int j, double t) { respondToBallPair(sim, i, j, t, testReadings()); }

class StepTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetTestState();
        contacts() = ContactHistory();
        stepView() = StepView();
        singleStepsPending() = 0;
        buildSceneGeometry(sim);
        fakes::install(10000);
        clipPlaneCalls().clear();
        redisplayCount() = 0;
        sim.remaining = 0.0;
    }
    void TearDown() override { fakes::uninstall(); }

    static void putBall(int k, const Vector3& position, const Vector3& velocity) {
        sim.ballAlive[k] = 1;
        sim.ballPositions[k] = position;
        sim.ballPreviousPositions[k] = position;
        sim.ballVelocities[k] = velocity;
    }

    static void putShot(int slot, const Vector3& position, const Vector3& velocity, int life = 6) {
        Shot& shot = sim.shots[slot];
        shot.life = life;
        shot.position = position;
        shot.previousPosition = position;
        shot.velocity = velocity;
    }

    static int liveShots() {
        int count = 0;
        for (const Shot& shot : sim.shots) count += shot.life != 0 ? 1 : 0;
        return count;
    }
};

inline void expectVectorEq(const Vector3& actual, const Vector3& expected) {
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.z, expected.z);
}

inline void expectVectorNear(const Vector3& actual, const Vector3& expected, double tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

inline bool finite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace stepfix
