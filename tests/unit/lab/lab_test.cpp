// The lab's figures are what a user reads off to judge the physics: a sum
// over the wrong balls, a ring that loses or keeps the wrong steps, or a
// bar that maps a click to the wrong step would mislead without a trace.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "lab/lab_figures.h"
#include "lab/lab_history.h"
#include "lab/lab_panels.h"
#include "scene/scene_layout.h"

namespace {

// Three live balls and a dead one with a large velocity, radius 20: the
// floor's collision plane is at y = -300.
void smallScene(Simulation& s) {
    s = Simulation();
    s.ballRadius = 20;
    buildSceneGeometry(s);
    struct Ball {
        int slot;
        Vector3 position, velocity;
        int alive;
    };
    const Ball balls[] = {
        {0, {0, -300, 0}, {3, 4, 0}, 1},       // kinetic 12.5, on the floor
        {2, {10, -200, 5}, {0, -1, 2}, 1},     // kinetic 2.5, 100 up
        {3, {0, -260, 0}, {-3, 0, -2}, 1},     // kinetic 6.5, 40 up
        {4, {0, 0, 0}, {100, 0, 0}, 0},        // dead: counts for nothing
    };
    for (const Ball& b : balls) {
        s.ballPositions[b.slot] = b.position;
        s.ballVelocities[b.slot] = b.velocity;
        s.ballAlive[b.slot] = b.alive;
    }
}

TEST(LabFigures, EnergyAndMomentumSumTheLiveBallsOnly) {
    struct Case {
        Vector3 gravity;
        double potential;
    };
    const Case cases[] = {{{0, -0.05, 0}, 0.05 * 140}, {{0, 0, 0}, 0.0}, {{0, -0.2, 0}, 0.2 * 140}};
    Simulation s;
    for (const Case& c : cases) {
        smallScene(s);
        s.gravity = c.gravity;
        const Simulation before = s;
        const EnergyTotals t = energyTotals(s);
        EXPECT_EQ(t.balls, 3);
        EXPECT_DOUBLE_EQ(t.kinetic, 21.5);
        EXPECT_DOUBLE_EQ(t.potential, c.potential);
        EXPECT_DOUBLE_EQ(t.total, 21.5 + c.potential);
        EXPECT_EQ(t.momentum.x, 0.0);
        EXPECT_EQ(t.momentum.y, 3.0);
        EXPECT_EQ(t.momentum.z, 0.0);
        EXPECT_TRUE(s == before) << "a view never writes the simulation";
    }
}

TEST(LabPanels, DataTableHasTheTotalsThenOneRowPerLiveBallTheSelectedMarked) {
    Simulation s;
    smallScene(s);
    PanelText panel;
    composeDataPanel(s, 2, 3, panel);
    EXPECT_STREQ(panel.title, "Data");
    EXPECT_EQ(panel.columns, 9);
    ASSERT_EQ(panel.rowCount, 1 + 4 + 1 + 3);
    EXPECT_TRUE(panel.rows[0].header);
    EXPECT_TRUE(panel.rows[5].header);
    struct Row {
        const char* slot;
        const char* speed;
        const char* kinetic;
        bool marked;
    };
    const Row rows[] = {{"0", "5.00", "12.50", false}, {"2", "2.24", "2.50", true}, {"3 (held)", "3.61", "6.50", false}};
    for (int i = 0; i < 3; ++i) {
        const PanelRow& r = panel.rows[6 + i];
        EXPECT_STREQ(r.cells[0], rows[i].slot);
        EXPECT_STREQ(r.cells[7], rows[i].speed);
        EXPECT_STREQ(r.cells[8], rows[i].kinetic);
        EXPECT_EQ(r.marked, rows[i].marked) << i;
    }
    const char* totals[][4] = {{"Kinetic", "21.50"}, {"Potential", "7.00"}, {"Sum", "28.50"},
                               {"Momentum", "0.00", "3.00", "0.00"}};
    for (int i = 0; i < 4; ++i) {
        const PanelRow& r = panel.rows[1 + i];
        for (int c = 0; c < r.cellCount; ++c) EXPECT_STREQ(r.cells[c], totals[i][c]);
    }
}

// The table formats its numbers itself (snprintf would cost too much a
// frame): they must read as "%.1f" / "%.2f" would print them, but for a
// number that rounds to zero, which has no "-".
TEST(LabPanels, TableNumbersReadAsPrintfWouldPrintThem) {
    struct Case {
        Vector3 position, velocity;
        const char* cells[6];
    };
    const Case cases[] = {
        {{-0.04, 319.96, -12.345}, {-3.14159, 0.996, 250.0}, {"0.0", "320.0", "-12.3", "-3.14", "1.00", "250.00"}},
        {{1e20, -7.0, 0.05001}, {-0.004, 9.999, -1e16}, {nullptr, "-7.0", "0.1", "0.00", "10.00", nullptr}},
    };
    Simulation s;
    for (const Case& c : cases) {
        s = Simulation();
        s.ballAlive[0] = 1;
        s.ballPositions[0] = c.position;
        s.ballVelocities[0] = c.velocity;
        PanelText panel;
        composeDataPanel(s, -1, -1, panel);
        const double values[] = {c.position.x, c.position.y, c.position.z, c.velocity.x, c.velocity.y, c.velocity.z};
        for (int i = 0; i < 6; ++i) {
            char printed[kCellLength];
            std::snprintf(printed, sizeof printed, "%.*f", i < 3 ? 1 : 2, values[i]);
            EXPECT_STREQ(panel.rows[6].cells[1 + i], c.cells[i] != nullptr ? c.cells[i] : printed) << values[i];
        }
    }
}

TEST(LabHistory, KeepsTheNewestStepsAndForgetsABranchedFuture) {
    Simulation s;
    smallScene(s);
    LabHistory history;
    for (long n = 0; n <= 2100; ++n) history.record(s, n, static_cast<int>(n % 7), 0);
    EXPECT_EQ(history.lastKept(), 2100);
    EXPECT_EQ(history.firstKept(), 2100 - kLabHistoryCapacity + 1);
    EXPECT_EQ(history.at(history.firstKept() - 1), nullptr);
    ASSERT_NE(history.at(history.firstKept()), nullptr);
    EXPECT_EQ(history.at(1000)->contacts, 1000 % 7);
    EXPECT_FLOAT_EQ(history.at(1000)->kinetic, 21.5f);
    EXPECT_EQ(history.at(1000)->alive[4], 0);

    history.forgetAfter(2000);
    EXPECT_EQ(history.lastKept(), 2000);
    EXPECT_EQ(history.at(2001), nullptr);
    history.record(s, 2001, 99, kMarkBranch);
    EXPECT_EQ(history.at(2001)->contacts, 99);
    EXPECT_EQ(history.at(2002), nullptr);

    // Far from what is kept: the range starts again there.
    history.record(s, 5000, 0, 0);
    EXPECT_EQ(history.firstKept(), 5000);
    EXPECT_EQ(history.at(2000), nullptr);
}

// A path must not join a ball's places across its death (a new ball in
// the slot) nor reach past what is kept or past the current step.
TEST(LabPanels, APathRunsBackToTheBallsBirthOrTheKeptRange) {
    Simulation s;
    smallScene(s);
    LabHistory history;
    for (long n = 10; n <= 60; ++n) {
        s.ballPositions[2] = Vector3(static_cast<double>(n), 0, 0);
        s.ballAlive[2] = n == 30 ? 0 : 1;
        history.record(s, n, 0, 0);
    }
    struct Case {
        long current;
        int steps, count;
        float firstX;
    };
    const Case cases[] = {{50, 5, 5, 46}, {50, 40, 20, 31}, {25, 40, 16, 10}, {30, 5, 0, 0}, {60, 0, 0, 0}};
    for (const Case& c : cases) {
        float path[64][3];
        EXPECT_EQ(composePath(history, c.current, 2, c.steps, path), c.count) << c.current << " " << c.steps;
        if (c.count > 0) {
            EXPECT_EQ(path[0][0], c.firstX);
            EXPECT_EQ(path[c.count - 1][0], static_cast<float>(c.current));
        }
    }
}

TEST(LabPanels, ABarClickMeansTheNearestStepInTheRange) {
    TimelineBar bar;
    bar.first = 300;
    bar.last = 1500;
    struct Case {
        double fraction;
        long step;
    };
    const Case cases[] = {{0.0, 300}, {1.0, 1500}, {0.5, 900}, {0.25041, 600}, {-0.5, 300}, {7.0, 1500}};
    for (const Case& c : cases) {
        EXPECT_EQ(timelineStepAt(bar, c.fraction), c.step) << c.fraction;
        EXPECT_NEAR(timelineFraction(bar, c.step), c.fraction < 0 ? 0 : c.fraction > 1 ? 1 : c.fraction, 0.001);
    }
    bar.first = bar.last = -1;
    EXPECT_EQ(timelineStepAt(bar, 0.5), -1);
}

TEST(LabPanels, TheIndicatorNamesTheRecordingOrTheReplayAndItsPace) {
    struct Case {
        int recording, replaying, speed;
        const char* text;
    };
    const Case cases[] = {
        {1, 0, 0, "REC take.vlr"},
        {0, 1, 0, "Replay take.vlr, step 12 of 340, \xC3\x97" "1"},
        {0, 1, 3, "Replay take.vlr, step 12 of 340, \xC3\x97" "8"},
        {0, 1, -1, "Replay take.vlr, step 12 of 340, \xC3\x97" "1/2"},
        {0, 0, 0, ""},
    };
    for (const Case& c : cases) {
        TimelineFigures t;
        t.recording = c.recording;
        t.replaying = c.replaying;
        t.replaySpeed = c.speed;
        t.replayStep = 12;
        t.replaySteps = 340;
        std::snprintf(t.fileName, sizeof t.fileName, "take.vlr");
        char text[96];
        composeIndicator(t, text, sizeof text);
        EXPECT_EQ(std::string(text), c.text);
    }
}

// Without an audio device F7 cannot make it play, so the help never says "on".
TEST(LabPanels, HelpSaysWhenThereIsNoSoundDevice) {
    struct Case {
        int soundOn, device;
        const char* says;
    };
    const Case cases[] = {{1, 1, "on"}, {0, 1, "off"}, {1, 0, "off: no device"}, {0, 0, "off: no device"}};
    static PanelText panel;
    for (const Case& c : cases) {
        HelpFigures f;
        f.soundOn = c.soundOn;
        f.soundDevice = c.device;
        composeHelpPanel(f, panel);
        const char* said = nullptr;
        for (int r = 0; r < panel.rowCount; ++r) {
            if (std::strcmp(panel.rows[r].cells[0], "Sound") == 0) said = panel.rows[r].cells[1];
        }
        ASSERT_NE(said, nullptr);
        EXPECT_STREQ(said, c.says);
    }
}

}  // namespace
