// A drag is simulation input like a key: the session must journal every
// hold and let-go with the step it acts on, a replay of the file must pull
// the same bits, and step back must take the whole drag away again. So must
// an edit of a ball (a drag while paused, a typed position or velocity),
// and an edit that is refused must change nothing.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include "app/live_readings.h"
#include "app/live_simulation.h"
#include "input/ball_pick.h"
#include "physics/ball_edit.h"
#include "physics/state_hash.h"
#include "tests/support/scripted_session.h"

namespace {

TEST(BallDrag, ADragIsRecordedReplayedMatchingAndUndoneByStepBackToTheBit) {
    const std::string path = ::testing::TempDir() + "ball_drag.vlr";
    HeadlessSettings s = scripted::settings();
    // Automatic fire reads the clock every step, so the scene clock that
    // step back restores is exact too.
    s.autoFire = 1;
    startHeadlessScene(s);
    startSession();
    ReplayHeader header;
    header.seed = s.seed;
    header.ballCount = s.ballCount;
    header.ballRadius = s.ballRadius;
    std::string error;
    ASSERT_TRUE(startRecording(path.c_str(), header, error)) << error;
    runHeadlessSteps(10);

    // Select the ball on the line from the camera to ball 3, as a click there
    // would.
    const Vector3 eye = sim.controls.cameraPosition;
    const int ball = ballUnderLine(sim, eye, Unit(sim.ballPositions[3] - eye));
    ASSERT_GE(ball, 0);
    live.viewer.selectedBall = ball;

    handleKey(sim, live.viewer, live.notices, 'p', liveReadings());
    runHeadlessStep();
    const Simulation before = sim;
    const long startStep = sim.stepsRun;
    // Forty steps, one at a time, the pointer lifting the ball against gravity.
    const Vector3 start = sim.ballPositions[ball];
    Vector3 target;
    for (int n = 0; n < 40; ++n) {
        target = start + Vector3(0.0, 2.5 * (n + 1), 0.0);
        deliverDrag(ball, target);
        deliverDrag(ball, target + Vector3(0.0, 1.0,
                                           0.0));  // moved again before the step: replaces
        requestSingleStep();
        runHeadlessStep();
    }
    EXPECT_LT(sim.ballPositions[ball].Distance(target), 2.0 * s.ballRadius) << "the ball follows the pointer";
    deliverDrag(-1, Vector3());
    const Vector3 flying = sim.ballVelocities[ball];
    requestSingleStep();
    runHeadlessStep();
    EXPECT_EQ(sim.drag.ball, -1);
    EXPECT_GT(sim.ballVelocities[ball].Length(), 0.5 * flying.Length()) << "let go, it flies on";
    for (int n = 0; n < 5; ++n) {
        requestSingleStep();
        runHeadlessStep();
    }
    const std::uint64_t dragged = sceneStateHash(sim);

    for (long n = sim.stepsRun; n > startStep; --n) ASSERT_TRUE(stepBack());
    runHeadlessStep();
    EXPECT_TRUE(sim == before) << "the drag undone, every field to the bit";
    EXPECT_EQ(live.viewer.selectedBall, ball) << "the selection stays through step back";

    ASSERT_TRUE(endSession());
    stopHeadlessScene();

    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const std::string file = text.str();
    int holds = 0;
    int letGo = 0;
    for (std::size_t at = file.find("\ng "); at != std::string::npos; at = file.find("\ng ", at + 1)) {
        ++holds;
        if (file.compare(file.find(' ', at + 3), 4, " -1\n") == 0) ++letGo;
    }
    EXPECT_EQ(holds, 41) << "one hold per step (the later target replaced the "
                            "earlier), one let-go";
    EXPECT_EQ(letGo, 1);

    Recording recording;
    ASSERT_TRUE(readReplayFile(path.c_str(), recording, error)) << error;
    const ReplayOutcome outcome = replayHeadless(recording);
    EXPECT_TRUE(outcome.matches) << "diverged at " << outcome.divergedAt;
    EXPECT_EQ(outcome.steps, startStep + 46);
    EXPECT_EQ(outcome.got, dragged);
    stopHeadlessScene();
    std::remove(path.c_str());
}

// Starts the scripted scene recording into `path`, runs ten steps and pauses.
void recordAndPause(const std::string& path) {
    const HeadlessSettings s = scripted::settings();
    startHeadlessScene(s);
    startSession();
    ReplayHeader header;
    header.seed = s.seed;
    header.ballCount = s.ballCount;
    header.ballRadius = s.ballRadius;
    std::string error;
    ASSERT_TRUE(startRecording(path.c_str(), header, error)) << error;
    runHeadlessSteps(10);
    handleKey(sim, live.viewer, live.notices, 'p', liveReadings());
    runHeadlessStep();
}

// Ends the session, then replays its file: it must match and end on `hash`.
void expectReplayEndsOn(const std::string& path, std::uint64_t hash, std::string* file) {
    ASSERT_TRUE(endSession());
    stopHeadlessScene();
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    *file = text.str();
    Recording recording;
    std::string error;
    ASSERT_TRUE(readReplayFile(path.c_str(), recording, error)) << error;
    const ReplayOutcome outcome = replayHeadless(recording);
    EXPECT_TRUE(outcome.matches) << "diverged at " << outcome.divergedAt;
    EXPECT_EQ(outcome.got, hash);
    stopHeadlessScene();
    std::remove(path.c_str());
}

bool sameBits(const Vector3& a, const Vector3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

int linesStartingWith(const std::string& file, const std::string& start) {
    int count = 0;
    for (std::size_t at = file.find("\n" + start); at != std::string::npos; at = file.find("\n" + start, at + 1)) {
        ++count;
    }
    return count;
}

TEST(BallEdit, APausedDragMovesTheBallAtOnceAndItsRecordingReplaysAsAMatch) {
    const std::string path = ::testing::TempDir() + "paused_drag.vlr";
    recordAndPause(path);
    const int ball = 3;
    const long pausedAt = sessionStepNumber();
    const Vector3 start = sim.ballPositions[ball];
    // The press holds without moving; each move then places the ball, the
    // pointer's own record beside it, frames in between.
    deliverDrag(ball, start);
    Vector3 target;
    for (int n = 1; n <= 12; ++n) {
        deliverInput({InputKind::Motion, 0, 0, 300 + n, 200});
        target = start + Vector3(-2.0 * n, 1.5 * n, 0.0);
        std::string why;
        ASSERT_TRUE(deliverDragMove(ball, target, &why)) << why;
        EXPECT_TRUE(sameBits(sim.ballPositions[ball], target)) << "moved at once, move " << n;
        EXPECT_TRUE(sameBits(sim.ballVelocities[ball], Vector3(0, 0, 0)));
        if (n % 4 == 0) runHeadlessStep();
    }
    EXPECT_EQ(sessionStepNumber(), pausedAt) << "no step ran";
    deliverDrag(-1, Vector3());
    handleKey(sim, live.viewer, live.notices, 'p', liveReadings());
    runHeadlessStep();
    EXPECT_LT(sim.ballPositions[ball].Distance(target), 2.0) << "the first step goes on from the moved ball";
    runHeadlessSteps(150);
    const std::uint64_t hash = sceneStateHash(sim);

    std::string file;
    expectReplayEndsOn(path, hash, &file);
    EXPECT_EQ(linesStartingWith(file, "a "), 2) << "one position and one velocity: each move replaced the last";
}

TEST(BallEdit, ATypedPositionAndVelocityAreUndoneByBAndReplayExactly) {
    const std::string path = ::testing::TempDir() + "typed_edit.vlr";
    recordAndPause(path);
    const int ball = 5;
    const long pausedAt = sessionStepNumber();
    const std::uint64_t unedited = sceneStateHash(sim);
    const Vector3 position = sim.ballPositions[ball] + Vector3(0.1, 0.2, 0.3);
    const Vector3 velocity(1.25, 0.5, -2.0);
    ASSERT_TRUE(deliverBallEdit(ball, &position, nullptr, nullptr));
    ASSERT_TRUE(deliverBallEdit(ball, nullptr, &velocity, nullptr));
    EXPECT_TRUE(sameBits(sim.ballPositions[ball], position) && sameBits(sim.ballVelocities[ball], velocity));

    ASSERT_TRUE(stepBack());
    EXPECT_EQ(sceneStateHash(sim), unedited) << "both edits undone";
    EXPECT_EQ(sessionStepNumber(), pausedAt) << "back to the step the edits followed, not one more";

    // Edited again from there: the file goes back over the undone edits.
    ASSERT_TRUE(deliverBallEdit(ball, &position, &velocity, nullptr));
    handleKey(sim, live.viewer, live.notices, 'p', liveReadings());
    runHeadlessSteps(120);
    const std::uint64_t hash = sceneStateHash(sim);

    std::string file;
    expectReplayEndsOn(path, hash, &file);
    EXPECT_EQ(linesStartingWith(file, "b "), 1);
}

TEST(BallEdit, ARefusedEditChangesNothing) {
    const std::string path = ::testing::TempDir() + "refused_edit.vlr";
    recordAndPause(path);
    const double r = sim.ballRadius;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const int ball = 2;
    const Vector3 free = sim.ballPositions[ball];
    const Vector3 insidePillar = sim.collisionCylinders[0].point;
    const Vector3 onBall = sim.ballPositions[4] + Vector3(r, 0, 0);
    const Vector3 outside(0, 0, 400);
    const Vector3 slow(1, 0, 0);
    const struct Case {
        const char* name;
        int ball;
        const Vector3* position;
        const Vector3* velocity;
        Vector3 value;  // what the row's pointers point at
    } cases[] = {
        {"a NaN position", ball, &cases[0].value, nullptr, Vector3(nan, 0, 0)},
        {"inside a pillar", ball, &insidePillar, nullptr, {}},
        {"overlapping another ball", ball, &onBall, nullptr, {}},
        {"outside the room", ball, &outside, nullptr, {}},
        {"a NaN velocity", ball, nullptr, &cases[4].value, Vector3(0, nan, 0)},
        {"faster than a throw", ball, nullptr, &cases[5].value, Vector3(0, 0, kMaxEditSpeed * 1.01)},
        {"a good position with a bad velocity", ball, &free, &cases[6].value, Vector3(1e300, 0, 0)},
        {"no ball in the slot", kMaxBalls - 1, &free, &slow, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Simulation before = sim;
        std::string why;
        EXPECT_FALSE(deliverBallEdit(c.ball, c.position, c.velocity, &why));
        EXPECT_FALSE(why.empty());
        EXPECT_NE(live.notices.timedText.find(why), std::string::npos) << "the corner says why";
        EXPECT_TRUE(sim == before);
    }
    ASSERT_TRUE(endSession());
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(linesStartingWith(text.str(), "a "), 0) << "nothing refused is recorded";
    std::remove(path.c_str());
}

}  // namespace
