// Recording, replaying and stepping back must give the same bits as the
// session that was lived: any input the journal misses, or any state the
// snapshots miss, shows up as a different state hash.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/live_readings.h"
#include "app/live_simulation.h"
#include "effects/screenshot_notice.h"
#include "effects/contact_log.h"
#include "effects/view_state.h"
#include "physics/simulation_step.h"
#include "physics/state_hash.h"
#include "tests/support/scripted_session.h"

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

using scripted::settings;

// What a frame of the current step shows, copied out: the look and the
// contact lists behind it.
struct ShownStep {
    FrameLook look;
    ContactHistory contacts;
};

ShownStep shownNow() {
    ShownStep shown{sessionLook(), ContactHistory()};
    shown.contacts = *shown.look.contacts;
    shown.look.contacts = nullptr;
    return shown;
}

bool operator==(const ShownStep& a, const ShownStep& b) {
    const auto same = [](const void* x, const void* y, std::size_t n) { return std::memcmp(x, y, n) == 0; };
    return same(&a.look.camera, &b.look.camera, sizeof a.look.camera) && a.look.glowAlpha == b.look.glowAlpha &&
           same(a.look.glowScales, b.look.glowScales, sizeof a.look.glowScales) &&
           same(a.look.flashShown, b.look.flashShown, sizeof a.look.flashShown) &&
           a.look.contactTime == b.look.contactTime &&
           same(a.contacts.marks, b.contacts.marks, sizeof a.contacts.marks) &&
           a.contacts.nextMark == b.contacts.nextMark &&
           same(a.contacts.ballContacts, b.contacts.ballContacts, sizeof a.contacts.ballContacts) &&
           same(a.contacts.nextBallContact, b.contacts.nextBallContact, sizeof a.contacts.nextBallContact);
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

// One recording of the script: its replay ends on the recorded state even
// while the watcher flies off and presses everything that would change the
// simulation (shots must still start from the recorded camera), and one
// changed byte diverges at the checkpoint after it.
TEST_F(SessionTest, ReplayIgnoresLiveInputAndOneChangedByteDivergesAtItsCheckpoint) {
    std::string error;
    ASSERT_TRUE(scripted::record(path_.c_str(), 300, error)) << error;
    const long steps = sim.stats.stepNumber;
    const std::uint64_t finalHash = sceneStateHash(sim);
    endSession();
    const std::string text = fileText(path_);
    ASSERT_NE(text.find("\nb "), std::string::npos) << "the branch after step back is in the file";

    Recording recording;
    ASSERT_TRUE(readReplayFile(path_.c_str(), recording, error)) << error;
    startHeadlessScene(settings());
    startSession();
    startReplay(recording, ReplayReport::Quietly);
    deliverInput({InputKind::SpecialDown, kKeyDown});
    for (int n = 0; n < 400 && sim.stats.stepNumber < steps; ++n) {
        if (n == 20) deliverInput({InputKind::SpecialDown, kKeyF8});
        if (n == 30) deliverInput({InputKind::MouseButton, kRightButton, kButtonDown, 5, 5});
        if (n == 40) deliverInput({InputKind::SpecialDown, kKeyF5});
        if (n == 50) handleKey(sim, live.viewer, live.notices, 'p', liveReadings());
        if (n == 55) handleKey(sim, live.viewer, live.notices, 'p', liveReadings());
        runHeadlessStep();
    }
    EXPECT_EQ(sim.stats.stepNumber, steps);
    EXPECT_EQ(sceneStateHash(sim), finalHash);
    EXPECT_GT(sim.controls.cameraPosition.Distance(Vector3(0.0, -50.0, 1000.0)), 1000.0)
        << "the watcher's camera moved";
    const ReplayOutcome outcome = playReplayToEnd();
    EXPECT_TRUE(outcome.matches) << "diverged at " << outcome.divergedAt;
    EXPECT_EQ(outcome.steps, steps);

    // F5 (automatic fire on) before step 10 becomes F6: the first shot is
    // missing from step 10 on, which the checkpoint after step 100 sees.
    std::string changed = text;
    const std::size_t at = changed.find("\nk 10 5 0\n");
    ASSERT_NE(at, std::string::npos);
    changed[at + 6] = '6';
    const ReplayOutcome diverged = replayText(changed);
    EXPECT_FALSE(diverged.matches);
    EXPECT_EQ(diverged.divergedAt, 100);
    // The window says so too, until the next key press.
    const char* verdict = currentNotice(live.notices, 0);
    EXPECT_EQ(std::string(verdict != nullptr ? verdict : ""), "replay diverges at step 100");
}

// Home brings the free camera back to where a scene starts it, after the
// arrows flew it off; it reaches the recording as the arrows do, so the
// replay (whose shots start from that camera) ends on the same state.
TEST_F(SessionTest, HomeAfterFlyingAwayRestoresTheStartViewLiveAndInItsReplay) {
    std::string error;
    ASSERT_TRUE(scripted::record(path_.c_str(), 0, error)) << error;
    deliverInput({InputKind::SpecialDown, kKeyF5});
    deliverInput({InputKind::SpecialDown, kKeyDown});
    deliverInput({InputKind::SpecialDown, kKeyLeft});
    runHeadlessSteps(40);
    deliverInput({InputKind::SpecialUp, kKeyDown});
    deliverInput({InputKind::SpecialUp, kKeyLeft});
    const SimControls start;
    ASSERT_GT(sim.controls.cameraPosition.Distance(start.cameraPosition), 500.0) << "flown away";
    deliverInput({InputKind::SpecialDown, kKeyHome});
    deliverInput({InputKind::SpecialUp, kKeyHome});
    runHeadlessSteps(60);
    const FrameLook look = sessionLook();
    EXPECT_EQ(look.camera.eye.Distance(start.cameraPosition), 0.0);
    EXPECT_EQ(look.camera.center.Distance(start.cameraPosition + start.viewDirection), 0.0);
    EXPECT_EQ(sim.controls.cameraYaw, 0.0f);
    const std::uint64_t finalHash = sceneStateHash(sim);
    ASSERT_TRUE(endSession());

    Recording recording;
    ASSERT_TRUE(readReplayFile(path_.c_str(), recording, error)) << error;
    const ReplayOutcome outcome = replayHeadless(recording);
    EXPECT_TRUE(outcome.matches) << "diverged at " << outcome.divergedAt;
    EXPECT_EQ(outcome.got, finalHash);
}

TEST_F(SessionTest, StepBackAndForwardAgainGiveTheSameStateAtEveryStep) {
    HeadlessSettings s = settings();
    s.ballCount = kMaxBalls;
    s.autoFire = 1;
    s.timeStep = 0.8;
    startHeadlessScene(s);
    startSession();
    std::vector<std::uint64_t> hashes{sceneStateHash(sim)};
    for (int n = 1; n <= 600; ++n) {
        runHeadlessStep();
        hashes.push_back(sceneStateHash(sim));
    }
    EXPECT_FALSE(stepBack()) << "only while paused";
    handleKey(sim, live.viewer, live.notices, 'p', liveReadings());
    for (long n = 599; n >= 100; --n) {
        ASSERT_TRUE(stepBack());
        ASSERT_EQ(sim.stats.stepNumber, n);
        ASSERT_EQ(sceneStateHash(sim), hashes[n]) << "back at step " << n;
        EXPECT_EQ(sessionLook().timeline.stepsBack, 600 - n);
    }
    for (long n = 101; n <= 600; ++n) {
        requestSingleStep();
        runHeadlessStep();
        ASSERT_EQ(sim.stats.stepNumber, n);
        ASSERT_EQ(sceneStateHash(sim), hashes[n]) << "forward again at step " << n;
    }
}

// Step back and forward again must give the whole simulation back, every
// field to the bit, including what only the frames move (the glow pulse): a
// field that the history does not carry shows up here. Busy: automatic fire
// fills the room with flashes, five steps each way. Quiet: no step reads the
// clock (no fire, no contact yet), yet the scene clock moves on, one step
// each way.
TEST_F(SessionTest, BackAndForwardAgainGiveTheWholeSimulationBack) {
    for (const bool busy : {true, false}) {
        SCOPED_TRACE(busy ? "busy" : "quiet");
        startHeadlessScene(settings());
        startSession();
        if (busy) {
            scripted::live(320);
            // Back to the free camera at full speed.
            deliverInput({InputKind::SpecialDown, kKeyF4});
        }
        runHeadlessSteps(busy ? 25 : 10);
        handleKey(sim, live.viewer, live.notices, 'p', liveReadings());
        runHeadlessStep();
        const Simulation before = sim;
        const ShownStep shownBefore = shownNow();
        ASSERT_GT(before.controls.pausedSceneTime, 0);
        const int steps = busy ? 5 : 1;
        const auto back = [steps] {
            for (int n = 0; n < steps; ++n) {
                ASSERT_TRUE(stepBack());
                runHeadlessStep();
            }
        };
        const auto forward = [steps] {
            for (int n = 0; n < steps; ++n) {
                requestSingleStep();
                runHeadlessStep();
            }
        };
        back();
        forward();
        EXPECT_TRUE(sim == before) << "back, then forward again";
        EXPECT_TRUE(shownNow() == shownBefore) << "and shows what it showed";
        forward();
        const Simulation ahead = sim;
        const ShownStep shownAhead = shownNow();
        ASSERT_FALSE(ahead == before);
        back();
        EXPECT_TRUE(sim == before) << "forward, then back";
        EXPECT_TRUE(shownNow() == shownBefore) << "and shows what it showed";
        forward();
        EXPECT_TRUE(sim == ahead) << "and forward again";
        EXPECT_TRUE(shownNow() == shownAhead);
    }
}

// The snapshots are only a cache of the log: dropped, every state is made
// again from the oldest one, and a step comes out the same to the bit,
// simulation, look and contact lists, as when it was lived.
TEST_F(SessionTest, DroppingTheSnapshotsChangesNoStep) {
    startHeadlessScene(settings());
    startSession();
    scripted::live(320);
    deliverInput({InputKind::SpecialDown, kKeyF5});
    runHeadlessSteps(250);
    handleKey(sim, live.viewer, live.notices, 'p', liveReadings());
    const long newest = sessionStepNumber();
    StepEvents events;
    const long targets[] = {newest - 30, newest - 170, 5};
    for (const long target : targets) {
        SCOPED_TRACE(target);
        ASSERT_TRUE(jumpToStep(target, events));
        const Simulation cached = sim;
        const ShownStep shownCached = shownNow();
        ASSERT_TRUE(jumpToStep(newest, events));
        const long before = sessionMemoryBytes();
        dropSnapshotCache();
        EXPECT_LT(sessionMemoryBytes(), before);
        ASSERT_TRUE(jumpToStep(target, events));
        EXPECT_TRUE(sim == cached);
        EXPECT_TRUE(shownNow() == shownCached);
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
    for (int n = 0; n < 99; ++n) runHeadlessStep();
    EXPECT_EQ(fileText(path_), "an older recording\n");
    EXPECT_EQ(fileText(path_ + ".part").rfind("VLREPLAY 1\n", 0), 0u);
    runHeadlessStep();
    EXPECT_EQ(fileText(path_).rfind("VLREPLAY 1\n", 0), 0u);
    EXPECT_FALSE(std::ifstream(path_ + ".part").good());
    endSession();
}

// A write that fails (here the file size limit, as a full disk would)
// stops the recording: before the part file took the name, the old file is
// untouched and the part file stays; after, the file ends at its last whole
// checkpoint. Either still reads as a recording, the session runs on, the
// corner says why, and the end reports the failure.
TEST_F(SessionTest, AFailedWriteStopsTheRecordingAndKeepsWhatWasWhole) {
    const std::string old = "an older recording\n";
    const auto recordUnder = [&](rlim_t limit, std::string& error) {
        std::ofstream(path_) << old;
        startHeadlessScene(settings());
        startSession();
        rlimit was{};
        getrlimit(RLIMIT_FSIZE, &was);
        rlimit limited = was;
        limited.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &limited);
        const bool started = startRecording(path_.c_str(), ReplayHeader(), error);
        for (int n = 0; started && n < 250; ++n) runHeadlessStep();
        const bool saved = endSession();
        setrlimit(RLIMIT_FSIZE, &was);
        return started && saved;
    };
    const auto signalWas = std::signal(SIGXFSZ, SIG_IGN);
    std::string error;
    ASSERT_TRUE(recordUnder(RLIM_INFINITY, error)) << error;
    const std::string whole = fileText(path_);
    // Through the line "x 100 HASH".
    const std::size_t firstCheckpoints = whole.find('\n', whole.find("\nx 100 ") + 1) + 1;
    ASSERT_LT(firstCheckpoints, whole.size());

    const struct {
        rlim_t limit;
        std::string file;  // what the file of the name holds at the end
        std::string part;  // and the part file
    } cases[] = {
        {firstCheckpoints - 1, old, whole.substr(0, whole.find("\nc ") + 1)},
        {firstCheckpoints + 1, whole.substr(0, firstCheckpoints), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("limit " + std::to_string(c.limit));
        std::remove((path_ + ".part").c_str());
        EXPECT_FALSE(recordUnder(c.limit, error));
        EXPECT_EQ(sim.stats.stepNumber, 250) << "the session ran on";
        EXPECT_EQ(fileText(path_), c.file);
        EXPECT_EQ(fileText(path_ + ".part"), c.part);
        Recording recording;
        EXPECT_TRUE(readReplayFile((c.part.empty() ? path_ : path_ + ".part").c_str(), recording, error)) << error;
        const char* notice = currentNotice(live.notices, 0);
        EXPECT_EQ(std::string(notice != nullptr ? notice : ""),
                  "Recording stopped: cannot write " + (c.part.empty() ? path_ : path_ + ".part") + ": File too large");
    }
    std::signal(SIGXFSZ, signalWas);
    std::remove((path_ + ".part").c_str());
}

// Page Up / Page Down land on the very states that were lived, clamped to
// what is kept; going forward past the steps run leaves the session live.
// A replay keeps its start, however long it is.
TEST_F(SessionTest, TimelineJumpsLandOnTheLivedStates) {
    startHeadlessScene(settings());
    startSession();
    deliverInput({InputKind::SpecialDown, kKeyF5});
    std::vector<std::uint64_t> hashes{sceneStateHash(sim)};
    for (int n = 1; n <= 1500; ++n) {
        runHeadlessStep();
        hashes.push_back(sceneStateHash(sim));
    }
    StepEvents events;
    EXPECT_FALSE(jumpToStep(1400, events)) << "only while paused";
    handleKey(sim, live.viewer, live.notices, 'p', liveReadings());
    const long oldest = 1500 - sessionLook().timeline.stepsReach;
    EXPECT_GE(oldest, 250);
    EXPECT_LE(oldest, 300);
    struct Jump {
        long target, lands;
    };
    const Jump jumps[] = {{1400, 1400}, {1300, 1300}, {1400, 1400}, {0, oldest},
                          {oldest + 100, oldest + 100}, {1000000, 1500}};
    for (const Jump& j : jumps) {
        ASSERT_TRUE(jumpToStep(j.target, events)) << j.target;
        ASSERT_EQ(sessionStepNumber(), j.lands);
        ASSERT_EQ(sceneStateHash(sim), hashes[static_cast<std::size_t>(j.lands)]) << "at " << j.lands;
    }
    EXPECT_EQ(events.cueCount, 0) << "jumps are silent";
    EXPECT_FALSE(jumpToStep(1600, events)) << "nothing run beyond the newest step";
    requestSingleStep();
    runHeadlessStep();
    EXPECT_EQ(sessionStepNumber(), 1501);

    std::string error;
    ASSERT_TRUE(scripted::record(path_.c_str(), 1600, error)) << error;
    Recording recording;
    ASSERT_TRUE(readReplayFile(path_.c_str(), recording, error)) << error;
    const ReplayOutcome outcome = replayHeadless(recording);
    ASSERT_TRUE(outcome.matches);
    const char* verdict = currentNotice(live.notices, 0);
    EXPECT_EQ(std::string(verdict != nullptr ? verdict : ""), "replay matches: " + std::to_string(outcome.steps) + " steps");
    handleKey(sim, live.viewer, live.notices, 'p', liveReadings());
    ASSERT_TRUE(jumpToStep(0, events));
    EXPECT_EQ(sessionStepNumber(), 0);
    EXPECT_TRUE(jumpToStep(1000000, events));
    EXPECT_EQ(sceneStateHash(sim), outcome.got);
}

// During a replay F1 / F2 set how many replayed steps a paced slot runs
// (1/8 to 8) and never reach the simulation: the replay still matches.
TEST_F(SessionTest, ReplayPaceChangesHowManyStepsRunNotWhatTheyCompute) {
    std::string error;
    ASSERT_TRUE(scripted::record(path_.c_str(), 200, error)) << error;
    Recording recording;
    ASSERT_TRUE(readReplayFile(path_.c_str(), recording, error)) << error;
    startHeadlessScene(settings());
    startReplay(recording, ReplayReport::Quietly);
    const double timeStep = sim.controls.timeStep;
    struct Pace {
        int key, presses, stepsIn8Turns;
    };
    const Pace paces[] = {{kKeyF1, 1, 16}, {kKeyF1, 5, 64}, {kKeyF2, 4, 4}, {kKeyF2, 9, 1}};
    for (const Pace& p : paces) {
        for (int n = 0; n < p.presses; ++n) deliverInput({InputKind::SpecialDown, p.key});
        int steps = 0;
        for (int turn = 0; turn < 8; ++turn) steps += sessionStepsThisTurn();
        EXPECT_EQ(steps, p.stepsIn8Turns) << p.presses;
    }
    EXPECT_EQ(sim.controls.timeStep, timeStep);
    EXPECT_TRUE(playReplayToEnd().matches);
}

// What a step shows comes from the recording alone: the replay, which runs
// its steps by another path and with none of the live run's frames, ends
// showing what the live run showed with a frame drawn after every step.
TEST_F(SessionTest, AReplayShowsWhatTheLiveRunShowed) {
    std::string error;
    ASSERT_TRUE(scripted::record(path_.c_str(), 400, error)) << error;
    for (int n = 0; n < 3; ++n) sessionLook();
    const ShownStep live = shownNow();
    ASSERT_TRUE(endSession());
    Recording recording;
    ASSERT_TRUE(readReplayFile(path_.c_str(), recording, error)) << error;
    ASSERT_TRUE(replayHeadless(recording).matches);
    EXPECT_TRUE(shownNow() == live);
}

// A recording that ends with an input after its last step (a pointer move
// before Escape): the replay ends with that step, pauses there and runs no
// step of its own.
TEST_F(SessionTest, AReplayEndsWithItsLastRecordedStep) {
    std::string error;
    ASSERT_TRUE(scripted::record(path_.c_str(), 30, error)) << error;
    deliverInput({InputKind::Motion, 0, 0, 100, 100});
    ASSERT_TRUE(endSession());
    Recording recording;
    ASSERT_TRUE(readReplayFile(path_.c_str(), recording, error)) << error;
    startHeadlessScene(settings());
    startReplay(recording, ReplayReport::OnStandardError);
    runHeadlessSteps(30);
    EXPECT_EQ(sessionStepNumber(), 30);
    EXPECT_NE(sim.controls.paused, 0) << "ended with the last step";
    runHeadlessSteps(5);
    EXPECT_EQ(sessionStepNumber(), 30);
    EXPECT_EQ(sim.controls.mouseX, 100);
}

TEST_F(SessionTest, StepBackAtTheStartOfTheHistoryDoesNothing) {
    startHeadlessScene(settings());
    startSession();
    runHeadlessStep();
    handleKey(sim, live.viewer, live.notices, 'p', liveReadings());
    EXPECT_TRUE(stepBack());
    const std::uint64_t start = sceneStateHash(sim);
    EXPECT_FALSE(stepBack());
    EXPECT_EQ(sceneStateHash(sim), start);
    EXPECT_EQ(sim.stats.stepNumber, 0);
    EXPECT_EQ(sessionLook().timeline.stepsReach, 0);
}

}  // namespace
