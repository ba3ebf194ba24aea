// Runs the real SDL player against SDL's disk audio driver, which writes
// the mixed output to a file in real time instead of a sound card.

#include "platform/sdl_cue_player.h"

#include <gtest/gtest.h>
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

    // Starts the player with its output captured in the named file.
    void start(const std::string& capture) {
        capturePath = (dir / capture).string();
        setenv("SDL_DISKAUDIOFILE", capturePath.c_str(), 1);
        startSdlCuePlayer();
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

    start("idle.raw");
    waitMs(300);
    std::vector<unsigned char> idle = stopAndRead();
    ASSERT_GT(idle.size(), kBytesPerSecond / 10) << "the disk driver wrote nothing";
    EXPECT_EQ(nonZero(idle), 0u);

    start("cue.raw");
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

    start("alone.raw");
    playCue("long.wav");
    waitMs(800);
    std::vector<unsigned char> alone = stopAndRead();
    ASSERT_GT(alone.size(), kBytesPerSecond / 2);
    EXPECT_GT(nonZero(alone, alone.size() - kBytesPerSecond / 5), kBytesPerSecond / 10)
        << "the long tone should still sound at the end";

    start("cut.raw");
    playCue("long.wav");
    waitMs(150);
    playCue("short.wav");
    waitMs(650);
    std::vector<unsigned char> cut = stopAndRead();
    ASSERT_GT(cut.size(), kBytesPerSecond / 2);
    EXPECT_GT(nonZero(cut), 0u);
    EXPECT_EQ(nonZero(cut, cut.size() - kBytesPerSecond / 5), 0u) << "the long tone went on after the new cue";
}

TEST_F(SdlCuePlayerTest, MissingAndBrokenFilesAreReportedOnceAndStaySilent) {
    std::ofstream("broken.wav") << "RIFF, but not really";

    start("missing.raw");
    ::testing::internal::CaptureStderr();
    for (int i = 0; i < 5; ++i) {
        playCue("absent.wav");
        playCue("broken.wav");
    }
    std::string errors = ::testing::internal::GetCapturedStderr();
    waitMs(200);
    std::vector<unsigned char> output = stopAndRead();

    EXPECT_NE(errors.find("absent.wav"), std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_EQ(nonZero(output), 0u);
}

TEST_F(SdlCuePlayerTest, WithoutAnAudioDeviceTheProgramRunsOnSilently) {
    writeTone("Laser.wav", 0.1);
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);

    ::testing::internal::CaptureStderr();
    startSdlCuePlayer();
    playCue("Laser.wav");
    playCue("Laser.wav");
    stopSdlCuePlayer();
    std::string errors = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE(errors.find("silently"), std::string::npos) << errors;
}

}  // namespace
