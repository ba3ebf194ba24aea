// Recording, replaying and stepping back must give the same bits as the
// session that was lived: any input the journal misses, or any state the
// snapshots miss, shows up as a different state hash.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/headless_scene.h"
#include "app/session.h"
#include "input/key_codes.h"
#include "input/keyboard.h"
#include "input/replay_file.h"
#include "physics/simulation_step.h"
#include "physics/state_hash.h"
#include "scene/scene_state.h"

namespace {

class SessionTest : public ::testing::Test {
protected:
    // One file per test: ctest runs them side by side.
    void SetUp() override {
        path_ = ::testing::TempDir() + "session_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                ".vlr";
    }
    void TearDown() override {
        stopHeadlessScene();
        std::remove(path_.c_str());
    }
    std::string path_;
};

InputEvent event(InputKind kind, int a, int b = 0, int c = 0, int d = 0) {
    InputEvent e;
    e.kind = kind;
    e.a = a;
    e.b = b;
    e.c = c;
    e.d = d;
    return e;
}

// Before the idle call `at`: an input, or a letter key (pause, single step, back).
struct Scripted {
    long at;
    InputEvent input;
    char letter;
};

const Scripted kScript[] = {
    {1, event(InputKind::WindowSize, 640, 480), 0},
    {5, event(InputKind::Motion, 0, 0, 320, 240), 0},
    {10, event(InputKind::SpecialDown, kKeyF5), 0},
    {40, event(InputKind::MouseButton, kLeftButton, kButtonDown, 300, 200), 0},
    {70, event(InputKind::MouseButton, kLeftButton, kButtonUp, 300, 200), 0},
    {90, event(InputKind::SpecialDown, kKeyF1), 0},
    {120, event(InputKind::SpecialDown, kKeyUp), 0},
    {130, event(InputKind::SpecialUp, kKeyUp), 0},
    {150, event(InputKind::MouseButton, kRightButton, kButtonDown, 100, 100), 0},
    {200, event(InputKind::SpecialDown, kKeyF4), 0},
    {220, event(InputKind::SpecialDown, kKeyF6), 0},
    {225, event(InputKind::MouseButton, kLeftButton, kButtonDown, 320, 240), 0},
    {260, event(InputKind::Release, 0), 0},
    {300, {}, 'p'},
    {302, event(InputKind::SpecialDown, kKeyLeft), 0},  // the camera turns while paused
    {303, event(InputKind::Motion, 0, 0, 10, 10), 0},  // pointer moves while the camera turns
    {304, event(InputKind::Motion, 0, 0, 20, 30), 0},
    {305, event(InputKind::Motion, 0, 0, 40, 50), 0},
    {306, event(InputKind::SpecialUp, kKeyLeft), 0},
    {310, {}, 'o'},
    {312, {}, 'o'},
    {320, {}, 'p'},
    {350, event(InputKind::SpecialDown, kKeyF8), 0},
    {400, event(InputKind::SpecialDown, kKeyF3), 0},
    {450, event(InputKind::SpecialDown, kKeyF4), 0},
    {500, {}, 'p'},
    {501, {}, 'b'},
    {502, {}, 'b'},
    {503, {}, 'b'},
    {504, event(InputKind::SpecialDown, kKeyF5), 0},  // new input while back: a new branch
    {505, {}, 'p'},
};

// Runs the script live through the session for `idles` idle calls.
void liveScript(long idles) {
    for (long n = 1; n <= idles; ++n) {
        for (const Scripted& s : kScript) {
            if (s.at != n) continue;
            if (s.letter == 'b') {
                stepBack();
            } else if (s.letter != 0) {
                handleKey(static_cast<unsigned char>(s.letter));
            } else {
                deliverInput(s.input);
            }
        }
        runHeadlessSessionStep();
    }
}

HeadlessSettings settings() {
    HeadlessSettings s;
    s.ballCount = 20;
    s.ballRadius = 15;
    s.seed = 4242;
    return s;
}

ReplayOutcome replayText(const std::string& text) {
    Recording recording;
    std::string error;
    EXPECT_TRUE(parseReplayText(text.data(), text.size(), recording, error)) << error;
    return replayHeadless(recording);
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(SessionTest, ReplayOfARecordedSessionMatchesAndOneChangedByteDivergesAtItsCheckpoint) {
    startHeadlessScene(settings());
    startSession();
    ReplayHeader header;
    header.seed = 4242;
    header.ballCount = 20;
    header.ballRadius = 15;
    std::string error;
    ASSERT_TRUE(startRecording(path_.c_str(), header, error)) << error;
    liveScript(640);
    const long steps = lastStepStats().stepNumber;
    const std::uint64_t finalHash = sceneStateHash();
    endSession();

    const std::string text = fileText(path_);
    ASSERT_NE(text.find("\nb "), std::string::npos) << "the branch after step back is in the file";
    const ReplayOutcome outcome = replayText(text);
    EXPECT_TRUE(outcome.matches) << "diverged at " << outcome.divergedAt;
    EXPECT_EQ(outcome.steps, steps);
    EXPECT_EQ(outcome.got, finalHash);

    // F5 (automatic fire on) before step 10 becomes F6: the first shot is
    // missing from step 10 on, which the checkpoint after step 100 sees.
    std::string changed = text;
    const std::size_t at = changed.find("\nk 10 5 0\n");
    ASSERT_NE(at, std::string::npos);
    changed[at + 6] = '6';
    const ReplayOutcome diverged = replayText(changed);
    EXPECT_FALSE(diverged.matches);
    EXPECT_EQ(diverged.divergedAt, 100);
    EXPECT_NE(diverged.expected, diverged.got);
}

TEST_F(SessionTest, AReplayIgnoresLiveInputAndKeepsTheWatchersCameraOutOfTheSimulation) {
    startHeadlessScene(settings());
    startSession();
    ReplayHeader header;
    header.seed = 4242;
    header.ballCount = 20;
    header.ballRadius = 15;
    std::string error;
    ASSERT_TRUE(startRecording(path_.c_str(), header, error)) << error;
    liveScript(300);
    const long steps = lastStepStats().stepNumber;
    const std::uint64_t finalHash = sceneStateHash();
    endSession();

    Recording recording;
    ASSERT_TRUE(readReplayFile(path_.c_str(), recording, error)) << error;
    startHeadlessScene(settings());
    startSession();
    startReplay(recording, false);
    // The watcher flies off and presses everything that would change the
    // simulation; shots must still start from the recorded camera.
    deliverInput(event(InputKind::SpecialDown, kKeyDown));
    for (int n = 0; n < 400 && lastStepStats().stepNumber < steps; ++n) {
        if (n == 20) deliverInput(event(InputKind::SpecialDown, kKeyF8));
        if (n == 30) deliverInput(event(InputKind::MouseButton, kRightButton, kButtonDown, 5, 5));
        if (n == 40) deliverInput(event(InputKind::SpecialDown, kKeyF5));
        if (n == 50) handleKey('p');
        if (n == 55) handleKey('p');
        runHeadlessSessionStep();
    }
    EXPECT_EQ(lastStepStats().stepNumber, steps);
    EXPECT_EQ(sceneStateHash(), finalHash);
    EXPECT_GT(scene.cameraPosition.Distance(Vector3(0.0, -50.0, 1000.0)), 1000.0) << "the watcher's camera moved";
    EXPECT_TRUE(playReplayToEnd().matches);
}

TEST_F(SessionTest, StepBackAndForwardAgainGiveTheSameStateAtEveryStep) {
    HeadlessSettings s = settings();
    s.ballCount = kMaxBalls;
    s.autoFire = 1;
    s.timeStep = 0.8;
    startHeadlessScene(s);
    startSession();
    std::vector<std::uint64_t> hashes{sceneStateHash()};
    for (int n = 1; n <= 600; ++n) {
        runHeadlessSessionStep();
        hashes.push_back(sceneStateHash());
    }
    EXPECT_FALSE(stepBack()) << "only while paused";
    handleKey('p');
    for (long n = 599; n >= 100; --n) {
        ASSERT_TRUE(stepBack());
        ASSERT_EQ(lastStepStats().stepNumber, n);
        ASSERT_EQ(sceneStateHash(), hashes[n]) << "back at step " << n;
        EXPECT_EQ(scene.historyStepsBack, 600 - n);
    }
    for (long n = 101; n <= 600; ++n) {
        handleKey('o');
        runHeadlessSessionStep();
        ASSERT_EQ(lastStepStats().stepNumber, n);
        ASSERT_EQ(sceneStateHash(), hashes[n]) << "forward again at step " << n;
    }
}

TEST_F(SessionTest, ARecordingReplacesAnOldFileOnlyAtItsFirstCheckpointAfterTheStart) {
    {
        std::ofstream old(path_);
        old << "an older recording\n";
    }
    startHeadlessScene(settings());
    startSession();
    std::string error;
    ASSERT_TRUE(startRecording(path_.c_str(), ReplayHeader(), error)) << error;
    for (int n = 0; n < 99; ++n) runHeadlessSessionStep();
    EXPECT_EQ(fileText(path_), "an older recording\n");
    EXPECT_EQ(fileText(path_ + ".part").rfind("VLREPLAY 1\n", 0), 0u);
    runHeadlessSessionStep();
    EXPECT_EQ(fileText(path_).rfind("VLREPLAY 1\n", 0), 0u);
    EXPECT_FALSE(std::ifstream(path_ + ".part").good());
    endSession();
}

TEST_F(SessionTest, StepBackAtTheStartOfTheHistoryDoesNothing) {
    startHeadlessScene(settings());
    startSession();
    runHeadlessSessionStep();
    handleKey('p');
    EXPECT_TRUE(stepBack());
    const std::uint64_t start = sceneStateHash();
    EXPECT_FALSE(stepBack());
    EXPECT_EQ(sceneStateHash(), start);
    EXPECT_EQ(lastStepStats().stepNumber, 0);
    EXPECT_EQ(scene.historyReach, 0);
}

}  // namespace
