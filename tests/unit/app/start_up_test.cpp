// Start-up's rules, shared by the desktop, the page and the headless tools:
// which seed wins and what is said about one that gives none, the page's
// address read as command-line words, and the exit status of a start that
// cannot go on.

#include "app/start_up.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/live_simulation.h"
#include "lab/lab_panels.h"

namespace {

// "vennaloft" and the words, as main() gets them.
struct Arguments {
    explicit Arguments(std::vector<std::string> words) : storage(std::move(words)) {
        storage.insert(storage.begin(), "vennaloft");
        for (std::string& word : storage) pointers.push_back(&word[0]);
        pointers.push_back(nullptr);
    }
    int count() const { return static_cast<int>(storage.size()); }
    char** values() { return pointers.data(); }
    std::vector<std::string> storage;
    std::vector<char*> pointers;
};

TEST(StartUp, SeedRules) {
    struct Case {
        std::vector<std::string> words;
        const char* environment;
        unsigned int seed;
        const char* warning;
    };
    const Case cases[] = {
        {{}, nullptr, 1000, ""},
        {{}, "", 1000, ""},
        {{}, "42", 42, ""},
        {{"-seed", "7"}, "42", 7, ""},
        {{"-seed", "7", "-seed", "x"}, nullptr, 7, "-seed \"x\" is not a whole number; using the seed 7"},
        {{"-seed", "abc"}, "42", 42, "-seed \"abc\" is not a whole number; using the seed 42"},
        {{"-seed", "abc"}, nullptr, 1000, "-seed \"abc\" is not a whole number; the clock seeds: 1000"},
        {{}, "x9", 1000, "VENNALOFT_SEED \"x9\" is not a whole number; the clock seeds: 1000"},
        {{"-seed", "99999999999"}, nullptr, 1000, "-seed \"99999999999\" is too large (at most 4294967295); the clock seeds: 1000"},
    };
    for (const Case& c : cases) {
        Arguments arguments(c.words);
        std::string warning = "left over";
        EXPECT_EQ(chooseSeed(arguments.count(), arguments.values(), c.environment, 1000, warning), c.seed)
            << arguments.count() << " words, environment " << (c.environment ? c.environment : "unset");
        EXPECT_EQ(warning, c.warning);
    }
}

TEST(StartUp, TheAddressIsReadAsTheCommandLine) {
    struct Case {
        const char* search;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"", {}},
        {"?", {}},
        {"?nr=45&seed=42", {"-nr", "45", "-seed", "42"}},
        {"?f&&smooth", {"-f", "-smooth"}},
        {"?replay=a.vlr&record=b.vlr&nr=3", {"-nr", "3"}},
        {"?seed=%2042+x&radius=", {"-seed", " 42 x", "-radius", ""}},
        {"?n%72=5&seed=1%2", {"-nr", "5", "-seed", "1%2"}},
    };
    for (const Case& c : cases) EXPECT_EQ(addressArguments(c.search), c.words) << c.search;
}

// The view options reach the watcher's view, the page's address as the
// command line's words.
TEST(StartUp, ViewOptionsOpenWhatTheyName) {
    struct Case {
        const char* search;
        int smooth, labPanels;
    };
    const Case cases[] = {{"", 0, 0}, {"?lab", 0, kLabDataPanel | kLabPlotPanel}, {"?smooth&nr=3", 1, 0}};
    for (const Case& c : cases) {
        live.viewer = ViewerState();
        Arguments arguments(addressArguments(c.search));
        StartOptions options;
        std::string warning;
        ASSERT_EQ(readStartOptions(arguments.count(), arguments.values(), nullptr, 0, options, warning).status, 0);
        takeViewOptions(options);
        EXPECT_EQ(live.viewer.smoothMotion, c.smooth) << c.search;
        EXPECT_EQ(live.viewer.labPanels, c.labPanels) << c.search;
    }
    live.viewer = ViewerState();
}

TEST(StartUp, AStartThatCannotGoOnSaysWhyWithItsStatus) {
    struct Case {
        std::vector<std::string> words;
        int status;
        bool aboutFile;
    };
    const Case cases[] = {
        {{"-nr", "3", "-seed", "5"}, 0, false},
        {{"-record"}, 2, false},
        {{"-record", "a.vlr", "-replay", "b.vlr"}, 2, false},
        {{"-replay", "/nonexistent/none.vlr"}, 1, true},
    };
    for (const Case& c : cases) {
        sim = Simulation();
        Arguments arguments(c.words);
        StartOptions options;
        std::string warning;
        const StartRefusal refusal = readStartOptions(arguments.count(), arguments.values(), nullptr, 0, options, warning);
        EXPECT_EQ(refusal.status, c.status) << c.words[0];
        EXPECT_EQ(refusal.file != nullptr, c.aboutFile) << c.words[0];
        EXPECT_EQ(refusal.reason.empty(), c.status == 0) << c.words[0];
        if (c.status == 0) {
            EXPECT_EQ(options.seed, 5u);
            EXPECT_EQ(sim.ballCount, 3);
        }
    }
}

}  // namespace
