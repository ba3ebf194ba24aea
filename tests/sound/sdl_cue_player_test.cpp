// Runs the real SDL player against SDL's disk audio driver, which writes
// the mixed output to a file in real time instead of a sound card.

#include "platform/sdl_cue_player.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/sound.h"

namespace {

namespace fs = std::filesystem;

void putLe(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// A 16-bit mono 22050 Hz sine of the given length.
void writeTone(const fs::path& path, double seconds) {
    const int rate = 22050;
    int samples = static_cast<int>(seconds * rate);
    std::vector<unsigned char> b;
    b.insert(b.end(), {'R', 'I', 'F', 'F'});
    putLe(b, 36 + samples * 2, 4);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLe(b, 16, 4);
    putLe(b, 1, 2);  // PCM
    putLe(b, 1, 2);  // mono
    putLe(b, rate, 4);
    putLe(b, rate * 2, 4);
    putLe(b, 2, 2);
    putLe(b, 16, 2);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    putLe(b, samples * 2, 4);
    for (int i = 0; i < samples; ++i)
        putLe(b, static_cast<std::uint16_t>(static_cast<std::int16_t>(10000 * std::sin(i * 0.125))), 2);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
}

// Standard error less the disk driver's two-line notice about itself.
std::string withoutDiskNotice(const std::string& text) {
    std::string kept;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        end = end == std::string::npos ? text.size() : end + 1;
        if (text.compare(from, 10, "CRITICAL: ") != 0) kept += text.substr(from, end - from);
        from = end;
    }
    return kept;
}

void waitMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class SdlCuePlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("vl_sound_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        previous = fs::current_path();
        fs::current_path(dir);  // cues are looked up in the working directory
        setenv("SDL_AUDIODRIVER", "disk", 1);
    }
    void TearDown() override {
        stopSdlCuePlayer();
        fs::current_path(previous);
        fs::remove_all(dir);
    }

    // Starts the player, loading the named cues, with its output captured
    // in the named file.
    void start(const std::string& capture, std::vector<const char*> cueNames) {
        capturePath = (dir / capture).string();
        setenv("SDL_DISKAUDIOFILE", capturePath.c_str(), 1);
        startSdlCuePlayer(cueNames.data(), static_cast<int>(cueNames.size()));
    }

    std::vector<unsigned char> stopAndRead() {
        stopSdlCuePlayer();
        std::ifstream in(capturePath, std::ios::binary);
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
    }

    static std::size_t nonZero(const std::vector<unsigned char>& bytes, std::size_t from = 0) {
        std::size_t count = 0;
        for (std::size_t i = from; i < bytes.size(); ++i) count += bytes[i] != 0;
        return count;
    }

    fs::path dir;
    fs::path previous;
    std::string capturePath;
};

// 44100 Hz, 16-bit stereo.
constexpr std::size_t kBytesPerSecond = 44100 * 4;

TEST_F(SdlCuePlayerTest, OutputIsSilentUntilACuePlays) {
    writeTone("Laser.wav", 0.3);

    start("idle.raw", {"Laser.wav"});
    waitMs(300);
    std::vector<unsigned char> idle = stopAndRead();
    ASSERT_GT(idle.size(), kBytesPerSecond / 10) << "the disk driver wrote nothing";
    EXPECT_EQ(nonZero(idle), 0u);

    start("cue.raw", {"Laser.wav"});
    playCue("Laser.wav");
    waitMs(500);
    std::vector<unsigned char> played = stopAndRead();
    ASSERT_GT(played.size(), kBytesPerSecond / 10);
    // The 0.3 s tone fills a good share of the capture.
    EXPECT_GT(nonZero(played), kBytesPerSecond / 10);
}

TEST_F(SdlCuePlayerTest, NewCueCutsOffThePlayingOne) {
    writeTone("long.wav", 3.0);
    writeTone("short.wav", 0.05);

    start("alone.raw", {"long.wav", "short.wav"});
    playCue("long.wav");
    waitMs(800);
    std::vector<unsigned char> alone = stopAndRead();
    ASSERT_GT(alone.size(), kBytesPerSecond / 2);
    EXPECT_GT(nonZero(alone, alone.size() - kBytesPerSecond / 5), kBytesPerSecond / 10)
        << "the long tone should still sound at the end";

    start("cut.raw", {"long.wav", "short.wav"});
    playCue("long.wav");
    waitMs(150);
    playCue("short.wav");
    waitMs(650);
    std::vector<unsigned char> cut = stopAndRead();
    ASSERT_GT(cut.size(), kBytesPerSecond / 2);
    EXPECT_GT(nonZero(cut), 0u);
    EXPECT_EQ(nonZero(cut, cut.size() - kBytesPerSecond / 5), 0u) << "the long tone went on after the new cue";
}

// Every cue file that cannot be used is named once at start-up, whatever is
// wrong with it, and stays silent; the good cue still plays. A named pipe
// would block a plain open() for good, so it must not be opened.
TEST_F(SdlCuePlayerTest, BadCueFilesAreSkippedAtStartWithOneLineEach) {
    writeTone("Laser.wav", 0.3);
    std::ofstream("garbage.wav") << "RIFF, but not really";
    std::ofstream("empty.wav");
    fs::create_directory("folder.wav");
    ASSERT_EQ(mkfifo("pipe.wav", 0600), 0);
    writeTone("unreadable.wav", 0.1);
    fs::permissions("unreadable.wav", fs::perms::none, fs::perm_options::replace);
    const std::vector<const char*> bad = {"absent.wav", "garbage.wav", "empty.wav", "folder.wav", "pipe.wav"};
    std::vector<const char*> names = bad;
    names.push_back("Laser.wav");
    // Root reads any file, so an unreadable one is only bad for others.
    bool unreadable = ::geteuid() != 0;
    if (unreadable) names.push_back("unreadable.wav");

    ::testing::internal::CaptureStderr();
    start("bad.raw", names);
    std::string atStart = withoutDiskNotice(::testing::internal::GetCapturedStderr());
    ::testing::internal::CaptureStderr();
    for (int i = 0; i < 5; ++i)
        for (const char* name : names)
            if (std::string(name) != "Laser.wav") playCue(name);
    std::string whilePlaying = ::testing::internal::GetCapturedStderr();
    waitMs(200);
    std::vector<unsigned char> silent = stopAndRead();

    std::size_t badCount = bad.size() + (unreadable ? 1 : 0);
    EXPECT_EQ(static_cast<std::size_t>(std::count(atStart.begin(), atStart.end(), '\n')), badCount) << atStart;
    for (const char* name : names) {
        bool named = atStart.find(std::string("Sound: cannot load ") + name + " (") != std::string::npos;
        EXPECT_EQ(named, std::string(name) != "Laser.wav") << name << "\n" << atStart;
    }
    EXPECT_EQ(whilePlaying, "");
    EXPECT_EQ(nonZero(silent), 0u);

    ::testing::internal::CaptureStderr();  // the same lines again
    start("good.raw", names);
    ::testing::internal::GetCapturedStderr();
    playCue("Laser.wav");
    waitMs(500);
    EXPECT_GT(nonZero(stopAndRead()), kBytesPerSecond / 10) << "the good cue was not played";
}

// Playing reads nothing from disk: a cue file removed or replaced by a pipe
// after start-up still plays as loaded.
TEST_F(SdlCuePlayerTest, CuesAreReadOnceAtStart) {
    writeTone("Laser.wav", 0.3);
    start("loaded.raw", {"Laser.wav"});
    fs::remove("Laser.wav");
    ASSERT_EQ(mkfifo("Laser.wav", 0600), 0);
    playCue("Laser.wav");
    waitMs(500);
    EXPECT_GT(nonZero(stopAndRead()), kBytesPerSecond / 10);
}

// One line of ours and nothing else: ALSA left to itself prints eight lines
// of its own when the card it is sent to does not exist.
TEST_F(SdlCuePlayerTest, WithoutAnAudioDeviceTheProgramRunsOnSilently) {
    writeTone("Laser.wav", 0.1);
    struct Case {
        const char* driver;
        const char* alsaCard;  // nullptr: leave ALSA's choice alone
    };
    for (Case c : {Case{"no-such-driver", nullptr}, Case{"alsa", "NoSuchCardForVennaloft"}}) {
        setenv("SDL_AUDIODRIVER", c.driver, 1);
        if (c.alsaCard != nullptr) setenv("ALSA_CARD", c.alsaCard, 1);

        ::testing::internal::CaptureStderr();
        startSdlCuePlayer();
        playCue("Laser.wav");
        playCue("Laser.wav");
        stopSdlCuePlayer();
        std::string errors = ::testing::internal::GetCapturedStderr();
        unsetenv("ALSA_CARD");

        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << c.driver << "\n" << errors;
        EXPECT_NE(errors.find("silently"), std::string::npos) << c.driver << "\n" << errors;
    }
}

}  // namespace
