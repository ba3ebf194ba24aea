// A drag is simulation input like a key: the session must journal every
// hold and let-go with the step it acts on, a replay of the file must pull
// the same bits, and step back must take the whole drag away again.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/live_readings.h"
#include "app/live_simulation.h"
#include "input/ball_pick.h"
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

}  // namespace
