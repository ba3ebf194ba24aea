#include "scene/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_simulation.h"

namespace {

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override { resetTestState(); }

    // Runs the option scan on "vennaloft" followed by the given words.
    int run(const std::vector<std::string>& words) {
        storage = words;
        storage.insert(storage.begin(), "vennaloft");
        std::vector<char*> argv;
        for (std::string& word : storage) argv.push_back(&word[0]);
        argv.push_back(nullptr);
        return readOptions(sim, static_cast<int>(storage.size()), argv.data());
    }

    // The words of the last run as an argument vector.
    char** argvOf() {
        pointers.clear();
        for (std::string& word : storage) pointers.push_back(&word[0]);
        pointers.push_back(nullptr);
        return pointers.data();
    }

    std::vector<std::string> storage;
    std::vector<char*> pointers;
};

}  // namespace

TEST_F(CommandLine, NoArgumentsKeepTheDefaults) {
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(sim.ballCount, 5);
    EXPECT_EQ(sim.ballRadius, 20);
}

TEST_F(CommandLine, BallCountIsClamped) {
    struct Case {
        const char* value;
        int balls;
    };
    const Case cases[] = {{"0", 1},  {"100", 45}, {"abc", 1}, {"45", 45},      {"1", 1},   {"7", 7},
                          {"7.9", 7}, {"-3", 1},   {"+12", 12}, {"  9", 9},    {"12abc", 12}, {"", 1}};
    for (const Case& c : cases) {
        resetTestState();
        EXPECT_EQ(run({"-nr", c.value}), 0);
        EXPECT_EQ(sim.ballCount, c.balls) << "-nr \"" << c.value << "\"";
        EXPECT_EQ(sim.ballRadius, 20);
    }
}

TEST_F(CommandLine, RadiusIsClamped) {
    struct Case {
        const char* value;
        int radius;
    };
    const Case cases[] = {{"3", 5}, {"50", 20}, {"12", 12}, {"5", 5}, {"20", 20}, {"x", 5}, {"19.99", 19}};
    for (const Case& c : cases) {
        resetTestState();
        run({"-radius", c.value});
        EXPECT_EQ(sim.ballRadius, c.radius) << "-radius \"" << c.value << "\"";
        EXPECT_EQ(sim.ballCount, 5);
    }
}

TEST_F(CommandLine, HugeValuesSaturateThenClamp) {
    // Values past the int range must not wrap round into the allowed range.
    run({"-nr", "4294967297", "-radius", "4294967301"});
    EXPECT_EQ(sim.ballCount, 45);
    EXPECT_EQ(sim.ballRadius, 20);
    resetTestState();
    run({"-nr", "99999999999999999999999", "-radius", "-99999999999999999999999"});
    EXPECT_EQ(sim.ballCount, 45);
    EXPECT_EQ(sim.ballRadius, 5);
    resetTestState();
    run({"-nr", "-4294967254"});
    EXPECT_EQ(sim.ballCount, 1);
}

TEST_F(CommandLine, LastOccurrenceWins) {
    run({"-nr", "10", "-radius", "8", "-nr", "3"});
    EXPECT_EQ(sim.ballCount, 3);
    EXPECT_EQ(sim.ballRadius, 8);
    resetTestState();
    run({"-radius", "6", "-radius", "15"});
    EXPECT_EQ(sim.ballRadius, 15);
}

TEST_F(CommandLine, OptionsAreCaseSensitiveWholeWords) {
    EXPECT_EQ(run({"-F", "-NR", "10", "-Radius", "8", "-nr10", "-ff", "nr", "10"}), 0);
    EXPECT_EQ(sim.ballCount, 5);
    EXPECT_EQ(sim.ballRadius, 20);
}

TEST_F(CommandLine, FullScreen) {
    EXPECT_EQ(run({"-f"}), 1);
    resetTestState();
    EXPECT_EQ(run({"-nr", "9", "-f", "-radius", "10"}), 1);
    EXPECT_EQ(sim.ballCount, 9);
    EXPECT_EQ(sim.ballRadius, 10);
}

TEST_F(CommandLine, ValueWordIsExaminedAsAnOptionToo) {
    // "-nr -f": the count reads as 0 (clamped to 1) and -f still counts.
    EXPECT_EQ(run({"-nr", "-f"}), 1);
    EXPECT_EQ(sim.ballCount, 1);
    resetTestState();
    // "-nr -radius 7": the count reads the word -radius (0), the radius 7.
    run({"-nr", "-radius", "7"});
    EXPECT_EQ(sim.ballCount, 1);
    EXPECT_EQ(sim.ballRadius, 7);
}

TEST_F(CommandLine, OptionWithoutAValueKeepsTheSetting) {
    run({"-nr"});
    EXPECT_EQ(sim.ballCount, 5);
    resetTestState();
    run({"-radius"});
    EXPECT_EQ(sim.ballRadius, 20);
    resetTestState();
    run({"-nr", "10", "-radius", "9", "-nr"});
    EXPECT_EQ(sim.ballCount, 10);
    EXPECT_EQ(sim.ballRadius, 9);
    resetTestState();
    // Still clamped after the scan.
    sim.ballCount = 80;
    run({"-nr"});
    EXPECT_EQ(sim.ballCount, 45);
}

TEST_F(CommandLine, UnknownAndEmptyWordsAreIgnored) {
    EXPECT_EQ(run({"", "hello", "--nr", "5", "-"}), 0);
    EXPECT_EQ(sim.ballCount, 5);
    EXPECT_EQ(sim.ballRadius, 20);
}

// "-seed" has its own scan: the last valid one wins, and the scan of the
// other options is not disturbed by it.
TEST_F(CommandLine, SeedOptionIsReadBesideTheOthers) {
    struct Case {
        std::vector<std::string> words;
        bool found;
        unsigned int seed;
        int balls;
    };
    const Case cases[] = {
        {{"-seed", "42"}, true, 42, 5},
        {{"-seed", "1", "-seed", "7"}, true, 7, 5},
        {{"-seed", "7", "-seed", "x"}, true, 7, 5},
        {{"-seed", "12x"}, true, 12, 5},
        {{"-seed", " +8.5"}, true, 8, 5},
        {{"-seed", "x12"}, false, 0, 5},
        {{"-seed", "-3"}, false, 0, 5},
        {{"-seed", "4294967295"}, true, 4294967295u, 5},
        {{"-seed", "4294967296"}, false, 0, 5},
        {{"-seed", ""}, false, 0, 5},
        {{"-seed"}, false, 0, 5},
        {{"-SEED", "3"}, false, 0, 5},
        {{"-seed", "9", "-nr", "3"}, true, 9, 3},
        {{"-nr", "8", "-seed", "4", "-radius", "12"}, true, 4, 8},
    };
    for (const Case& c : cases) {
        resetTestState();
        EXPECT_EQ(run(c.words), 0);
        unsigned int seed = 0;
        EXPECT_EQ(readSeedOption(static_cast<int>(storage.size()), argvOf(), seed), c.found) << c.words[0];
        if (c.found) {
            EXPECT_EQ(seed, c.seed);
        }
        EXPECT_EQ(sim.ballCount, c.balls);
    }
}

TEST_F(CommandLine, HelpIsAskedForByEitherWordAnywhere) {
    struct Case {
        std::vector<std::string> words;
        bool help;
    };
    const Case cases[] = {{{"-h"}, true},         {{"--help"}, true},       {{"-nr", "3", "-h"}, true},
                          {{"-help"}, false},     {{"-H"}, false},          {{}, false},
                          {{"--helpful"}, false}, {{"-nr", "--help"}, true}};
    for (const Case& c : cases) {
        run(c.words);
        EXPECT_EQ(helpRequested(static_cast<int>(storage.size()), argvOf()), c.help)
            << (c.words.empty() ? "" : c.words[0]);
    }
}

TEST_F(CommandLine, RecordAndReplayTakeTheNextWordAndLeaveTheOldScanAlone) {
    struct Case {
        std::vector<std::string> words;
        bool ok;
        const char* record;
        const char* replay;
        int balls;
        int fullScreen;
    };
    const Case cases[] = {
        {{"-record", "a.vlr", "-nr", "7"}, true, "a.vlr", nullptr, 7, 0},
        {{"-f", "-replay", "b.vlr"}, true, nullptr, "b.vlr", 5, 1},
        {{"-record", "a", "-record", "c"}, true, "c", nullptr, 5, 0},
        {{"-nr", "-record", "x"}, true, "x", nullptr, 1, 0},
        {{"-record"}, false, nullptr, nullptr, 5, 0},
        {{"-replay", "-f"}, false, nullptr, nullptr, 5, 1},
        {{"-record", ""}, false, nullptr, nullptr, 5, 0},
        {{"-record", "a", "-replay", "b"}, false, nullptr, nullptr, 5, 0},
    };
    for (const Case& c : cases) {
        resetTestState();
        EXPECT_EQ(run(c.words), c.fullScreen) << c.words[0];
        EXPECT_EQ(sim.ballCount, c.balls) << c.words[0];
        SessionFiles files;
        std::string error;
        EXPECT_EQ(readSessionOptions(static_cast<int>(storage.size()), argvOf(), files, error), c.ok) << c.words[0];
        if (!c.ok) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        EXPECT_STREQ(files.record, c.record);
        EXPECT_STREQ(files.replay, c.replay);
    }
}
