// The lab's plots and timeline are read off what the session kept of its
// steps: going back, jumping or making the states again from the log must
// show the figures the steps had when they were lived, and a mark must sit
// on the step whose input made it.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/headless_scene.h"
#include "app/live_readings.h"
#include "app/live_simulation.h"
#include "app/session.h"
#include "input/key_codes.h"
#include "input/keyboard.h"
#include "input/replay_file.h"
#include "lab/lab_figures.h"
#include "lab/lab_history.h"
#include "lab/lab_panels.h"

namespace {

class LabSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessSettings settings;
        settings.ballCount = 20;
        settings.ballRadius = 15;
        settings.seed = 77;
        startHeadlessScene(settings);
        startSession();
    }
    void TearDown() override { stopHeadlessScene(); }
};

void pause() { handleKey(sim, live.viewer, live.notices, 'p', liveReadings()); }

PlotData& plotsNow(int selected) {
    static PlotData plots;
    composePlots(sessionLabHistory(), sessionStepNumber(), selected, plots);
    return plots;
}

TEST_F(LabSessionTest, PlotsAfterGoingBackShowTheLivedStepsWithTheCursorMoved) {
    deliverInput({InputKind::SpecialDown, kKeyF5});
    // What each step's figures were when it was lived.
    std::vector<double> kinetic{energyTotals(sim).kinetic};
    for (int n = 1; n <= 400; ++n) {
        runHeadlessStep();
        kinetic.push_back(energyTotals(sim).kinetic);
    }
    pause();
    const PlotData lived = plotsNow(3);
    ASSERT_EQ(lived.first, 0);
    ASSERT_EQ(lived.last, 400);
    for (long n = 0; n <= 400; ++n) {
        ASSERT_FLOAT_EQ(lived.values[static_cast<int>(Series::Kinetic)][n], static_cast<float>(kinetic[n])) << n;
    }

    StepEvents events;
    struct Move {
        const char* how;
        long lands;
    };
    const Move moves[] = {{"back", 399}, {"jump", 120}, {"drop and jump", 250}, {"jump", 400}};
    for (const Move& m : moves) {
        SCOPED_TRACE(m.how);
        const std::string how = m.how;
        if (how == "back") {
            ASSERT_TRUE(stepBack(events));
        } else {
            if (how == "drop and jump") dropSnapshotCache();
            ASSERT_TRUE(jumpToStep(m.lands, events));
        }
        ASSERT_EQ(sessionStepNumber(), m.lands);
        const PlotData& now = plotsNow(3);
        EXPECT_EQ(now.current, m.lands);
        ASSERT_EQ(now.first, lived.first);
        ASSERT_EQ(now.last, lived.last) << "going back keeps the steps ahead";
        for (int k = 0; k < kSeries; ++k) {
            for (int i = 0; i < now.count; ++i) ASSERT_EQ(now.values[k][i], lived.values[k][i]) << k << " at " << i;
        }
    }
}

TEST_F(LabSessionTest, TheTimelineMarksTheStepsWhereInputsHappened) {
    runHeadlessSteps(5);
    struct Input {
        const char* what;
        void (*deliver)();
        unsigned mark;
    };
    const Input inputs[] = {
        {"fire", [] { deliverInput({InputKind::MouseButton, kLeftButton, kButtonDown, 320, 240}); }, kMarkFire},
        {"let go", [] { deliverInput({InputKind::MouseButton, kLeftButton, kButtonUp, 320, 240}); }, 0},
        {"fire and follow", [] { deliverInput({InputKind::MouseButton, kRightButton, kButtonDown, 300, 200}); },
         kMarkFire},
        {"throw", [] {
             deliverInput({InputKind::SpecialDown, kKeyF6});
             deliverInput({InputKind::MouseButton, kLeftButton, kButtonDown, 320, 240});
         }, kMarkThrow},
        {"drag", [] { deliverDrag(2, sim.ballPositions[2] + Vector3(0, 30, 0)); }, kMarkDrag},
        {"let the ball go", [] { deliverDrag(-1, Vector3(0, 0, 0)); }, 0},
        {"reset", [] { deliverInput({InputKind::SpecialDown, kKeyF8}); }, kMarkReset},
        {"a typed velocity", [] {
             const Vector3 velocity(0.5, 1.0, 0.0);
             ASSERT_TRUE(deliverBallEdit(3, nullptr, &velocity, nullptr));
         }, kMarkEdit},
    };
    std::vector<long> marked;
    for (const Input& input : inputs) {
        SCOPED_TRACE(input.what);
        input.deliver();
        runHeadlessSteps(3);
        const long step = sessionStepNumber() - 2;
        ASSERT_NE(sessionLabHistory().at(step), nullptr);
        EXPECT_EQ(sessionLabHistory().at(step)->marks, input.mark);
        EXPECT_EQ(sessionLabHistory().at(step + 1)->marks, 0u);
        if (input.mark != 0) marked.push_back(step);
    }

    // New input after going back: the steps ahead are gone and the next
    // step starts the branch.
    pause();
    StepEvents events;
    ASSERT_TRUE(jumpToStep(sessionStepNumber() - 10, events));
    const long from = sessionStepNumber();
    deliverInput({InputKind::SpecialDown, kKeyF5});
    EXPECT_EQ(sessionLabHistory().lastKept(), from);
    requestSingleStep();
    runHeadlessStep();
    ASSERT_EQ(sessionStepNumber(), from + 1);
    EXPECT_EQ(sessionLabHistory().at(from + 1)->marks, kMarkBranch);
    // Made again from the log, the branch's step keeps its mark.
    ASSERT_TRUE(jumpToStep(from - 5, events));
    ASSERT_TRUE(jumpToStep(from + 1, events));
    EXPECT_EQ(sessionLabHistory().at(from + 1)->marks, kMarkBranch);
    while (!marked.empty() && marked.back() > from) marked.pop_back();
    marked.push_back(from + 1);

    static TimelineBar bar;
    composeTimeline(sessionLabHistory(), sessionStepNumber(), bar);
    EXPECT_EQ(bar.first, 0);
    EXPECT_EQ(bar.last, from + 1);
    EXPECT_EQ(std::vector<long>(bar.markStep, bar.markStep + bar.markCount), marked);
}

// The indicator reads the session's recording or replay: its file's name
// without the folders, and where the replay stands.
TEST_F(LabSessionTest, TheIndicatorNamesWhatTheSessionRecordsOrReplays) {
    const std::string path = ::testing::TempDir() + "lab_indicator.vlr";
    std::string error;
    ReplayHeader header;
    header.seed = 77;
    header.ballCount = 20;
    header.ballRadius = 15;
    ASSERT_TRUE(startRecording(path.c_str(), header, error)) << error;
    runHeadlessSteps(120);
    char text[96];
    composeIndicator(sessionLook().timeline, text, sizeof text);
    EXPECT_STREQ(text, "REC lab_indicator.vlr");
    ASSERT_TRUE(endSession());

    Recording recording;
    ASSERT_TRUE(readReplayFile(path.c_str(), recording, error)) << error;
    std::remove(path.c_str());
    SetUp();
    startReplay(recording, ReplayReport::Quietly);
    nameSessionReplay(path.c_str());
    runHeadlessSteps(10);
    changeReplaySpeed(-1);
    composeIndicator(sessionLook().timeline, text, sizeof text);
    EXPECT_STREQ(text, "Replay lab_indicator.vlr, step 10 of 120, \xC3\x97" "1/2");
}

}  // namespace
