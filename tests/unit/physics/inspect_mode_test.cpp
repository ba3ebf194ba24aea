#include "effects/inspect_mode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "effects/contact_log.h"
#include "effects/explosion_pool.h"
#include "effects/screenshot_notice.h"
#include "effects/view_state.h"
#include "input/key_codes.h"
#include "input/keyboard.h"
#include "tests/support/test_readings.h"
#include "tests/support/test_simulation.h"
#include "tests/unit/physics/step_fixture.h"

namespace {

using stepfix::expectVectorEq;

// The corner's lines the keys here ask for (S).
CornerNotices notices;

// A ball in free flight, far from everything for many steps.
const Vector3 kStart(150, 150, 150);
const Vector3 kVelocity(0.5, -0.1, 0.5);

class InspectModeTest : public stepfix::StepTest {
protected:
    void SetUp() override {
        StepTest::SetUp();
        putBall(0, kStart, kVelocity);
    }

    // One paced step: the clock moves on 50 ms and the step runs.
    static void step() {
        fakes::clockNow() += 50;
        stepfix::runStep();
    }

    // Keys and steps in order: P, O, V, H, S are keys, '.' is a step.
    static void play(const std::string& script) {
        for (char c : script) {
            if (c == '.') {
                step();
            } else if (c == 'O' || c == 'o') {
                stepfix::requestSingleStep();
            } else {
                handleKey(sim, viewer, notices, static_cast<unsigned char>(c), testReadings());
            }
        }
    }
};

TEST_F(InspectModeTest, PauseHoldsStepsAndEachOAdvancesExactlyOne) {
    struct Case {
        const char* script;
        long steps;
    };
    const Case cases[] = {
        {"...", 3},      {"P...", 0},       {"PO...", 1},   {"POO...", 2},   {"P.O.O..", 2},
        {"O.P...", 1},   {"OP...", 0},      {"P..P..", 2},  {"POP...", 3},   {"POP.P..", 1},
        {"pO.o..", 2},   {"VH...", 3},      {"PVH.O..", 1}, {"Ss...", 3},    {"PS.O..", 1},
    };
    for (const Case& c : cases) {
        SetUp();
        const long before = sim.stats.stepNumber;
        play(c.script);
        EXPECT_EQ(sim.stats.stepNumber - before, c.steps) << c.script;
        // S only asks the next frame for a screenshot.
        const bool asked = std::string(c.script).find_first_of("Ss") != std::string::npos;
        EXPECT_EQ(takeScreenshotRequest(notices), asked) << c.script;
        // The ball moves in exactly the steps that ran.
        Vector3 expected = kStart;
        Vector3 velocity = kVelocity;
        for (long n = 0; n < c.steps; ++n) {
            velocity += sim.gravity * 0.3;
            expected = expected + velocity * 0.3;
        }
        expectVectorEq(sim.ballPositions[0], expected);
        TearDown();
    }
}

TEST_F(InspectModeTest, SpeedChosenWhilePausedAppliesToSingleStepsAndOnResume) {
    play("P.");
    handleSpecialKey(sim, kKeyF1, 0);  // 0.4
    play("..");
    expectVectorEq(sim.ballPositions[0], kStart);
    EXPECT_EQ(sim.controls.activeTimeStep, 0.4);

    play("O.");
    Vector3 velocity = kVelocity + sim.gravity * 0.4;
    Vector3 expected = kStart + velocity * 0.4;
    expectVectorEq(sim.ballPositions[0], expected);

    handleSpecialKey(sim, kKeyF2, 0);
    handleSpecialKey(sim, kKeyF2, 0);  // 0.2 (0.19999999999999998)
    const double chosen = sim.controls.timeStep;
    play("P.");
    velocity += sim.gravity * chosen;
    expected = expected + velocity * chosen;
    expectVectorEq(sim.ballPositions[0], expected);
}

// While paused the clock runs on but nothing of the scene does: bodies,
// flashes, glow pulse, chase trail. The free camera still moves; firing,
// throwing and requests wait.
TEST_F(InspectModeTest, PausedSceneStandsStillButTheCameraMoves) {
    putShot(0, Vector3(150, 100, -100), Vector3(0, 0, 60));
    spawnExplosion(sim, Vector3(0, 0, 0), 1, testReadings());
    play(".");
    handleKey(sim, viewer, notices, 'P', testReadings());
    play(".");
    const Shot shot = sim.shots[0];
    const Explosion flash = sim.explosions[0];
    const float pulse = stepfix::stepView().glowPulse;
    const Vector3 camera = sim.controls.cameraPosition;

    sim.controls.upKeyDown = 1;
    sim.controls.leftButtonDown = 1;
    sim.controls.resetRequested = 1;
    sim.controls.autoFire = 1;
    for (int n = 0; n < 40; ++n) step();

    expectVectorEq(sim.ballPositions[0], sim.ballPreviousPositions[0] + sim.ballVelocities[0] * 0.3);
    expectVectorEq(sim.shots[0].position, shot.position);
    EXPECT_EQ(sim.explosions[0].alpha, flash.alpha);
    EXPECT_EQ(sim.explosions[0].scale, flash.scale);
    EXPECT_EQ(stepfix::stepView().glowPulse, pulse);
    expectVectorEq(sim.controls.cameraPosition, camera + sim.controls.viewDirection * 2.0 * 40.0);
    EXPECT_EQ(stepfix::StepTest::liveShots(), 1);
    EXPECT_EQ(sim.controls.resetRequested, 1);

    // Resumed, the flash goes on from where it stood, not 2 s further on.
    sim.controls.upKeyDown = sim.controls.leftButtonDown = sim.controls.resetRequested = sim.controls.autoFire = 0;
    handleKey(sim, viewer, notices, 'P', testReadings());
    step();
    EXPECT_GT(sim.explosions[0].alpha, flash.alpha - 0.05f);
    EXPECT_LT(sim.explosions[0].alpha, flash.alpha);
}

TEST_F(InspectModeTest, SingleStepMovesTheViewOnOnceAndBouncesAsUsual) {
    sim.controls.followBall = 1;
    putBall(0, Vector3(-50, -290, 150), Vector3(0, -20, 0));
    sim.controls.timeStep = sim.controls.activeTimeStep = 0.8;
    play("P..");
    const StepView& view = stepfix::stepView();
    const Vector3 trail = view.chaseTrail[0];
    const float pulse = view.glowPulse;

    play("O.");
    EXPECT_NE(view.chaseTrail[0].y, trail.y);
    EXPECT_NEAR(view.glowPulse, pulse + view.glowPulseStep * 3 * 0.8f, 1e-6);
    // The floor bounce of that step: flash and contact as in a running step.
    EXPECT_GT(sim.ballVelocities[0].y, 0.0);
    EXPECT_EQ(sim.explosions[0].alpha, 1.0f);
    EXPECT_EQ(sim.stats.contacts, 1);

    // The frames after it stand still again.
    const Vector3 after = view.chaseTrail[0];
    const float pulseAfter = view.glowPulse;
    play("...");
    expectVectorEq(view.chaseTrail[0], after);
    EXPECT_EQ(view.glowPulse, pulseAfter);
}

int usedMarks() {
    int count = 0;
    for (const ContactMark& mark : stepfix::contacts().marks) count += mark.used;
    return count;
}

TEST_F(InspectModeTest, ContactsOfAStepAreLoggedWithPointAndNormal) {
    struct Case {
        const char* what;
        Vector3 ballA, velocityA, ballB, velocityB;
        Vector3 point, normal;
        double tolerance;  // the pair search finds its time to about 1e-2
    };
    const Case cases[] = {
        // Floor: the flash point one unit above the floor, normal up.
        {"floor", Vector3(-50, -290, 150), Vector3(0, -20, 0), Vector3(), Vector3(), Vector3(-50, -319, 150),
         Vector3(0, 1, 0), 1e-9},
        // Two balls meeting head on: halfway between, from ball 0 to ball 1.
        {"pair", Vector3(150, 150, 100), Vector3(0, 0, 20), Vector3(150, 150, 160), Vector3(0, 0, -20),
         Vector3(150, 150 - 0.05 * 0.8 * 0.5, 130), Vector3(0, 0, 1), 1e-3},
    };
    for (const Case& c : cases) {
        SetUp();
        sim.ballAlive[0] = 0;
        putBall(0, c.ballA, c.velocityA);
        if (c.ballB.IsValid()) putBall(1, c.ballB, c.velocityB);
        sim.controls.timeStep = sim.controls.activeTimeStep = 0.8;
        stepfix::runStep();
        EXPECT_EQ(sim.stats.contacts, 1) << c.what;
        ASSERT_EQ(usedMarks(), 1) << c.what;
        const ContactMark& mark = stepfix::contacts().marks[0];
        stepfix::expectVectorNear(mark.pointVector(), c.point, c.tolerance + 1e-4);
        stepfix::expectVectorNear(mark.normalVector(), c.normal, 1e-7);
        EXPECT_EQ(mark.time, fakes::clockNow()) << c.what;
        TearDown();
    }
}

TEST_F(InspectModeTest, ContactMarksFadeOverASecondOfSceneTime) {
    stepfix::contacts().addMark(Vector3(1, 2, 3), Vector3(0, 1, 0), sceneMilliseconds(sim, testReadings()));
    const ContactMark& mark = stepfix::contacts().marks[0];
    const int born = mark.time;
    struct Case {
        int age;
        float fade;
    };
    const Case cases[] = {{0, 1.0f}, {250, 0.75f}, {500, 0.5f}, {999, 0.001f}, {1000, 0.0f}, {5000, 0.0f}};
    for (const Case& c : cases) EXPECT_NEAR(contactMarkFade(mark, born + c.age), c.fade, 1e-6) << c.age;

    // Paused, the scene clock (and so the fade) stands still.
    fakes::clockNow() += 400;
    togglePause(sim, testReadings());
    fakes::clockNow() += 10000;
    EXPECT_FLOAT_EQ(contactMarkFade(mark, sceneMilliseconds(sim, testReadings())), 0.6f);
    togglePause(sim, testReadings());
    fakes::clockNow() += 100;
    EXPECT_FLOAT_EQ(contactMarkFade(mark, sceneMilliseconds(sim, testReadings())), 0.5f);
}

// The toolkit's counter wraps after 24.8 days: a pause, a single step and
// the fade that straddle the wrap keep the scene clock running on (no
// overflow, which the sanitizer build would stop at).
TEST_F(InspectModeTest, SceneClockAndFadeCarryOnAcrossTheCounterWrap) {
    fakes::clockNow() = 2147483647 - 300;
    stepfix::contacts().addMark(Vector3(1, 2, 3), Vector3(0, 1, 0), sceneMilliseconds(sim, testReadings()));
    const ContactMark& mark = stepfix::contacts().marks[0];
    togglePause(sim, testReadings());
    fakes::clockNow() = -2147483647 - 1 + 5000;  // after the wrap
    stepfix::requestSingleStep();
    step();  // one single step: 50 ms of scene time
    togglePause(sim, testReadings());
    fakes::clockNow() += 200;
    EXPECT_FLOAT_EQ(contactMarkFade(mark, sceneMilliseconds(sim, testReadings())), 0.75f);
    fakes::clockNow() += 800;
    EXPECT_EQ(contactMarkFade(mark, sceneMilliseconds(sim, testReadings())), 0.0f);
}

TEST_F(InspectModeTest, FullLogGivesUpItsOldestMarkAndResetClearsIt) {
    for (int n = 0; n <= kContactMarkCount; ++n) {
        stepfix::contacts().addMark(Vector3(n, 0, 0), Vector3(0, 1, 0), sceneMilliseconds(sim, testReadings()));
    }
    EXPECT_EQ(usedMarks(), kContactMarkCount);
    double lowest = 1e9;
    for (const ContactMark& mark : stepfix::contacts().marks) lowest = std::min(lowest, static_cast<double>(mark.point[0]));
    EXPECT_EQ(lowest, 1.0);

    // F8: the step that resets the balls clears the log with the flashes.
    sim.ballAlive[0] = 0;
    handleSpecialKey(sim, kKeyF8, 0);
    step();
    for (const ContactMark& mark : stepfix::contacts().marks) {
        if (mark.used != 0) {
            EXPECT_EQ(mark.time, fakes::clockNow());
        }
    }
    EXPECT_LT(usedMarks(), 5);
}

}  // namespace
