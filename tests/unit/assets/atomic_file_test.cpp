// A file is written whole or not at all: a write cut short (here by a file
// size limit, as a full disk would) leaves neither the file nor its
// temporary part.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/atomic_file.h"

namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("vl_atomic_file_" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(AtomicFileTest, CompleteWriteLeavesOnlyTheFile) {
    const std::vector<unsigned char> bytes(100000, 7);
    std::string reason;
    ASSERT_TRUE(writeFileAtomically((dir / "a.png").string(), bytes, reason)) << reason;
    EXPECT_EQ(fs::file_size(dir / "a.png"), bytes.size());
    EXPECT_FALSE(fs::exists(dir / "a.png.part"));
}

TEST_F(AtomicFileTest, WriteCutShortLeavesNothing) {
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4096;
    // Past the limit the write fails with EFBIG instead of the signal ending us.
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string reason;
    const bool written = writeFileAtomically((dir / "b.png").string(), std::vector<unsigned char>(100000, 7), reason);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_FALSE(reason.empty());
    EXPECT_TRUE(fs::is_empty(dir)) << "left behind: " << fs::directory_iterator(dir)->path();
}

}  // namespace
