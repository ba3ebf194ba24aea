// A recording is only played when every line of it can be trusted; any
// doubt refuses the whole file with one line saying where and why.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "input/key_codes.h"
#include "input/replay_file.h"

namespace {

std::string validText() {
    ReplayHeader header;
    header.seed = 7;
    header.ballCount = 5;
    header.ballRadius = 20;
    std::string text = formatReplayHeader(header);
    text += "x 0 00000000000000aa\n";
    SimControls controls;
    controls.cameraPosition = Vector3(0.0, -50.0, 1000.0);
    JournalRecord c;
    c.kind = RecordKind::Controls;
    c.step = 1;
    text += formatRecord(c, &controls);
    InputEvent f5;
    f5.kind = InputKind::SpecialDown;
    f5.a = kKeyF5;
    text += formatRecord(eventRecord(1, f5), nullptr);
    text += "t 1 500 2\n";
    text += formatRecord(rayRecord(1, Unit(Vector3(1.0, 2.0, 3.0))), nullptr);
    text += "s 1\nx 1 00000000000000bb\np 2 10 20\n";
    text += formatRecord(dragRecord(2, 3, Vector3(1.5, -2.0, 300.0)), nullptr);
    text += formatRecord(dragRecord(2, -1, Vector3()), nullptr);
    text += formatRecord(editRecord(2, 4, EditedField::Position, Vector3(-0.25, 7.0, 1e5)), nullptr);
    text += formatRecord(editRecord(2, 4, EditedField::Velocity, Vector3(0.0, -0.0, 3.0)), nullptr);
    text += "s 2\ne 2 00000000000000cc\n";
    return text;
}

bool parses(const std::string& text, Recording& out, std::string& error) {
    return parseReplayText(text.data(), text.size(), out, error);
}

TEST(ReplayFileTest, ReadsBackWhatItWrites) {
    Recording r;
    std::string error;
    ASSERT_TRUE(parses(validText(), r, error)) << error;
    EXPECT_EQ(r.header.seed, 7u);
    EXPECT_EQ(r.steps, 2);
    EXPECT_TRUE(r.ended);
    ASSERT_EQ(r.controls.size(), 1u);
    EXPECT_EQ(r.controls[0].cameraPosition.z, 1000.0);
    EXPECT_EQ(r.controls[0].cameraPosition.status, StatusOrdinary);
    const Vector3 ray = rayOf(r.records[4]);
    EXPECT_EQ(ray.status, StatusUnit);
    EXPECT_EQ(ray.z, Unit(Vector3(1.0, 2.0, 3.0)).z);
    ASSERT_EQ(r.records[8].kind, RecordKind::Drag);
    EXPECT_EQ(r.records[8].event.a, 3);
    EXPECT_EQ(dragTargetOf(r.records[8]).y, -2.0);
    EXPECT_EQ(r.records[9].event.a, -1) << "let go";
    ASSERT_EQ(r.records[10].kind, RecordKind::Edit);
    EXPECT_EQ(r.records[10].event.a, 4);
    EXPECT_EQ(editedFieldOf(r.records[10]), EditedField::Position);
    EXPECT_EQ(editValueOf(r.records[10]).x, -0.25);
    EXPECT_EQ(editedFieldOf(r.records[11]), EditedField::Velocity);
    EXPECT_TRUE(std::signbit(editValueOf(r.records[11]).y)) << "the bits, -0 included";
}

TEST(ReplayFileTest, RefusesEveryCutExceptAfterACheckpoint) {
    const std::string text = validText();
    const std::size_t afterStart = text.find("x 0 ") + 21;
    const std::size_t afterFirst = text.find("x 1 ") + 21;
    for (std::size_t n = 0; n < text.size(); ++n) {
        Recording r;
        std::string error;
        const bool ok = parses(text.substr(0, n), r, error);
        if (n == afterStart || n == afterFirst) {
            EXPECT_TRUE(ok) << "cut at " << n << ": " << error;
            EXPECT_EQ(r.steps, n == afterStart ? 0 : 1);
        } else {
            EXPECT_FALSE(ok) << "cut at " << n;
            EXPECT_TRUE(r.records.empty());
        }
    }
}

std::string replaced(const std::string& from, const std::string& to) {
    std::string text = validText();
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(ReplayFileTest, RefusesWhatItCannotTrust) {
    const struct {
        const char* what;
        std::string text;
        const char* says;
    } cases[] = {
        {"empty", "", "empty file"},
        {"wrong magic", replaced("VLREPLAY", "VLREPLAX"), "wrong magic word"},
        {"newer version", replaced("VLREPLAY 1", "VLREPLAY 2"), "newer Vennaloft"},
        {"steps out of order", replaced("s 2\n", "s 3\n"), "line 15: steps out of order"},
        {"an event for a step already run", replaced("p 2 ", "p 1 "), "steps out of order"},
        {"2^40 clock readings", replaced("t 1 500 2", "t 1 500 1099511627776"), "absurd count"},
        {"step 2^40", replaced("s 2\n", "s 1099511627776\n"), "step number out of range"},
        {"binary garbage", replaced("p 2 10 20", std::string("p 2 \0\xff\x01", 7)), "binary data"},
        {"a ray that is not a number", replaced("s 1\n", "d 1 7ff8000000000000 0 0 2\ns 1\n"), "bad ray"},
        {"back to a step not yet run", replaced("p 2 10 20\n", "b 5\n"), "has not run"},
        {"records after the end", validText() + "s 3\n", "after the end"},
        {"a clock without its action", replaced("s 2\n", "t 2 5 1\n"), "without the action"},
        {"a very long line", replaced("p 2 10 20", "p 2 10 " + std::string(500, '1')), "line too long"},
        {"two spaces", replaced("p 2 10", "p 2  10"), "malformed line"},
        {"an unknown record", replaced("p 2 10 20", "z 2 10 20"), "unknown or malformed"},
        {"ball count out of range", replaced("o 7 5 20", "o 7 46 20"), "bad options"},
        {"a drag of slot 45", replaced("g 2 3 ", "g 2 45 "), "bad drag"},
        {"a let-go with a target", replaced("g 2 -1\n", "g 2 -1 0 0 0\n"), "bad drag"},
        {"a drag target that is not a number", replaced("g 2 3 3ff8", "g 2 3 7ff8"), "bad drag"},
        {"a drag target beyond a million", replaced("g 2 3 3ff8000000000000", "g 2 3 4140000000000000"),
         "bad drag"},
        {"an edit of neither position nor velocity", replaced("a 2 4 v ", "a 2 4 q "), "bad edit"},
        {"an edit that is not a number", replaced("a 2 4 p bfd0", "a 2 4 p fff8"), "bad edit"},
    };
    for (const auto& c : cases) {
        Recording r;
        std::string error;
        EXPECT_FALSE(parses(c.text, r, error)) << c.what;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.what << ": " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << c.what;
        EXPECT_TRUE(r.records.empty() && r.controls.empty()) << c.what;
    }
}

TEST(ReplayFileTest, RefusesFilesThatAreNotThere) {
    Recording r;
    std::string error;
    EXPECT_FALSE(readReplayFile(::testing::TempDir().c_str(), r, error));
    EXPECT_EQ(error, "is a folder");
    EXPECT_FALSE(readReplayFile("/nonexistent/session.vlr", r, error));
    EXPECT_EQ(error, "No such file or directory");
}

}  // namespace
