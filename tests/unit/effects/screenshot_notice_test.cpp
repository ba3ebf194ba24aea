#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "effects/screenshot_notice.h"
#include "platform/clock.h"

namespace {

TEST(ScreenshotNoticeTest, RequestIsTakenOnce) {
    CornerNotices notices;
    EXPECT_FALSE(takeScreenshotRequest(notices));
    requestScreenshot(notices);
    requestScreenshot(notices);
    EXPECT_TRUE(takeScreenshotRequest(notices));
    EXPECT_FALSE(takeScreenshotRequest(notices));
}

// Two seconds from the moment it is shown, also across the wrap of the
// millisecond counter; a newer line replaces it and starts again.
TEST(ScreenshotNoticeTest, LineShowsForTwoSecondsOfWallClock) {
    CornerNotices notices;
    EXPECT_EQ(currentNotice(notices, 0), nullptr);
    for (int shownAt : {1000, INT_MAX - 500}) {
        showNotice(notices, "Saved /p/a.png", shownAt);
        ASSERT_NE(currentNotice(notices, shiftedReading(shownAt, 1999)), nullptr);
        EXPECT_EQ(std::string(currentNotice(notices, shiftedReading(shownAt, 1999))), "Saved /p/a.png");
        EXPECT_EQ(currentNotice(notices, shiftedReading(shownAt, 2000)), nullptr);
        EXPECT_EQ(currentNotice(notices, shiftedReading(shownAt, 1000)), nullptr) << "stays gone";
    }
    showNotice(notices, "Saved /p/a.png", 0);
    showNotice(notices, "Could not save /p/b.png: Read-only file system", 1500);
    EXPECT_EQ(std::string(currentNotice(notices, 3000)), "Could not save /p/b.png: Read-only file system");
    EXPECT_EQ(currentNotice(notices, 3500), nullptr);
}

// A stopped recording's line stays while nothing else shows, and comes
// back after a screenshot's line has had its time.
TEST(ScreenshotNoticeTest, LastingLineShowsWheneverNoTimedLineDoes) {
    CornerNotices notices;
    showLastingNotice(notices, "Recording stopped: cannot write r.vlr.part: No space left on device");
    EXPECT_EQ(std::string(currentNotice(notices, 100000)), "Recording stopped: cannot write r.vlr.part: No space left on device");
    showNotice(notices, "Saved /p/a.png", 200000);
    EXPECT_EQ(std::string(currentNotice(notices, 201000)), "Saved /p/a.png");
    EXPECT_EQ(std::string(currentNotice(notices, 202000)), "Recording stopped: cannot write r.vlr.part: No space left on device");
    clearLastingNotice(notices);
    EXPECT_EQ(currentNotice(notices, 203000), nullptr);
}

}  // namespace

// The corner breaks between words, then after a path's slashes, and inside
// a word only when nothing else fits; every character but the break's
// spaces is kept.
TEST(ScreenshotNoticeTest, LinesBreakBetweenWords) {
    struct Case {
        const char* text;
        int perLine;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"Saved a.png", 40, {"Saved a.png"}},
        {"Cannot save: No such file", 14, {"Cannot save:", "No such file"}},
        {"Cannot save: No such file", 12, {"Cannot save:", "No such file"}},
        {"Saved /home/user/pictures/a.png", 20, {"Saved", "/home/user/pictures/", "a.png"}},
        {"abcdefghij", 4, {"abcd", "efgh", "ij"}},
        {"a  b", 1, {"a", "b"}},
    };
    for (const Case& c : cases) EXPECT_EQ(noticeLines(c.text, c.perLine), c.lines) << c.text;
}
