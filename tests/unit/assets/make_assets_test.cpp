// Runs the asset generator into a temporary folder and checks that what it
// writes is what the program can use: 24-bit images the reader accepts at
// sizes any GL takes, flashes that fade to black at the edge (they are added
// onto the frame), and short 16-bit PCM cues. Also the PNG encoder it shares
// with the screenshots, at sizes on both sides of a stored block's 65535 bytes.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/bmp_reader.h"
#include "assets/png_writer.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

Bytes readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t le(const Bytes& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v * 256 + b.at(at + i);
    return v;
}

class MakeAssetsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new fs::path(fs::temp_directory_path() / ("vl_make_assets_" + std::to_string(::getpid())));
        fs::create_directories(*dir);
        std::string command = std::string(VL_MAKE_ASSETS) + " " + dir->string();
        status = std::system(command.c_str());
    }
    static void TearDownTestSuite() {
        fs::remove_all(*dir);
        delete dir;
    }
    static fs::path* dir;
    static int status;
};
fs::path* MakeAssetsTest::dir = nullptr;
int MakeAssetsTest::status = -1;

TEST_F(MakeAssetsTest, TexturesLoadAtPowerOfTwoSizes) {
    ASSERT_EQ(status, 0);
    for (const char* name : {"marble.bmp", "spark.bmp", "boden.bmp", "wand.bmp", "sky.bmp", "flare.bmp"}) {
        BmpImage image{0, 0, nullptr};
        ASSERT_EQ(loadBmp((*dir / name).string().c_str(), &image), 1) << name;
        EXPECT_TRUE(image.width == 256 || image.width == 512) << name << " " << image.width;
        EXPECT_EQ(image.width, image.height) << name;
        // Not a flat colour: some spread between the darkest and brightest byte.
        int low = 255, high = 0;
        for (int i = 0; i < image.width * image.height * 3; ++i) {
            low = std::min(low, static_cast<int>(image.pixels[i]));
            high = std::max(high, static_cast<int>(image.pixels[i]));
        }
        EXPECT_GT(high - low, 60) << name;
        free(image.pixels);
    }
}

TEST_F(MakeAssetsTest, FlashesAreBlackAtTheBorderAndBrightInTheMiddle) {
    ASSERT_EQ(status, 0);
    for (const char* name : {"spark.bmp", "flare.bmp"}) {
        BmpImage image{0, 0, nullptr};
        ASSERT_EQ(loadBmp((*dir / name).string().c_str(), &image), 1) << name;
        int n = image.width;
        int brightestBorder = 0;
        for (int i = 0; i < n; ++i)
            for (int c = 0; c < 3; ++c)
                brightestBorder = std::max({brightestBorder, static_cast<int>(image.pixels[(i * n) * 3 + c]),
                                            static_cast<int>(image.pixels[(i * n + n - 1) * 3 + c]),
                                            static_cast<int>(image.pixels[i * 3 + c]),
                                            static_cast<int>(image.pixels[((n - 1) * n + i) * 3 + c])});
        EXPECT_EQ(brightestBorder, 0) << name;
        const unsigned char* centre = image.pixels + ((n / 2) * n + n / 2) * 3;
        EXPECT_GT(centre[0], 240) << name;
        EXPECT_GT(centre[1], 240) << name;  // red and green survive the yellow tint
        free(image.pixels);
    }
}

TEST_F(MakeAssetsTest, CuesAreShortMono16BitPcm) {
    ASSERT_EQ(status, 0);
    struct Cue {
        const char* name;
        double minSeconds, maxSeconds;
    };
    for (Cue cue : {Cue{"Laser.wav", 0.15, 0.4}, Cue{"bounce.wav", 0.08, 0.3}, Cue{"Explode.wav", 0.6, 1.5},
                    Cue{"yeah.wav", 0.5, 1.2}}) {
        Bytes b = readAll(*dir / cue.name);
        ASSERT_GE(b.size(), 44u) << cue.name;
        EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF") << cue.name;
        EXPECT_EQ(le(b, 4, 4), b.size() - 8) << cue.name;
        EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ") << cue.name;
        EXPECT_EQ(le(b, 20, 2), 1u) << cue.name;   // PCM
        EXPECT_EQ(le(b, 22, 2), 1u) << cue.name;   // mono
        std::uint32_t rate = le(b, 24, 4);
        EXPECT_TRUE(rate == 22050 || rate == 44100) << cue.name;
        EXPECT_EQ(le(b, 28, 4), rate * 2) << cue.name;
        EXPECT_EQ(le(b, 34, 2), 16u) << cue.name;
        EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data") << cue.name;
        std::uint32_t dataBytes = le(b, 40, 4);
        ASSERT_EQ(dataBytes, b.size() - 44) << cue.name;
        double seconds = dataBytes / 2.0 / rate;
        EXPECT_GE(seconds, cue.minSeconds) << cue.name;
        EXPECT_LE(seconds, cue.maxSeconds) << cue.name;
        int peak = 0;
        for (std::size_t i = 44; i + 1 < b.size(); i += 2)
            peak = std::max(peak, std::abs(static_cast<int>(static_cast<std::int16_t>(le(b, i, 2)))));
        EXPECT_GT(peak, 8000) << cue.name << " is too quiet";
        EXPECT_LT(peak, 32767) << cue.name << " clips";
    }
}

TEST_F(MakeAssetsTest, OutputIsTheSameOnEveryRun) {
    ASSERT_EQ(status, 0);
    fs::path again = *dir / "again";
    fs::create_directories(again);
    ASSERT_EQ(std::system((std::string(VL_MAKE_ASSETS) + " " + again.string()).c_str()), 0);
    for (const char* name : {"marble.bmp", "spark.bmp", "boden.bmp", "wand.bmp", "sky.bmp", "flare.bmp", "Laser.wav",
                             "bounce.wav", "Explode.wav", "yeah.wav", "vennaloft-48.png", "vennaloft-256.png",
                             "vennaloft.svg"})
        EXPECT_EQ(readAll(*dir / name), readAll(again / name)) << name;
}

// The icons are checked by readers that are not ours (ImageMagick through
// libpng and zlib, which verify every chunk's CRC and the Adler sum, the 256
// pixel one spanning several deflate blocks; the SVG drawn by librsvg, as
// the desktops draw it): a ball on a transparent ground, opaque in the
// middle, at the size its name says.
TEST_F(MakeAssetsTest, IconsAreImagesOthersCanRead) {
    ASSERT_EQ(status, 0);
    struct Case {
        const char* name;
        std::size_t side;
    };
    const Case cases[] = {{"vennaloft-16.png", 16},   {"vennaloft-32.png", 32},   {"vennaloft-48.png", 48},
                          {"vennaloft-64.png", 64},   {"vennaloft-128.png", 128}, {"vennaloft-256.png", 256},
                          {"vennaloft.svg", 48}};
    for (const Case& c : cases) {
        std::string pixelsPath = (*dir / "icon.rgba").string();
        std::string image = (*dir / c.name).string();
        if (std::string(c.name).find(".svg") != std::string::npos) {
            const std::string drawn = (*dir / "svg.png").string();
            const std::string draw = "rsvg-convert -o " + drawn + " " + image;
            ASSERT_EQ(std::system(draw.c_str()), 0) << draw;
            image = drawn;
        }
        std::string command = "/usr/bin/convert " + image + " -depth 8 rgba:" + pixelsPath;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        Bytes rgba = readAll(pixelsPath);
        const std::size_t side = c.side;
        ASSERT_EQ(rgba.size(), side * side * 4) << c.name;
        auto alpha = [&](std::size_t x, std::size_t y) { return rgba[(y * side + x) * 4 + 3]; };
        for (std::size_t corner : {std::size_t{0}, side - 1}) {
            EXPECT_EQ(alpha(corner, 0), 0) << c.name << " " << corner;
            EXPECT_EQ(alpha(corner, side - 1), 0) << c.name << " " << corner;
        }
        EXPECT_EQ(alpha(side / 2, side / 2), 255) << c.name;
        const unsigned char* middle = &rgba[(side / 2 * side + side / 2) * 4];
        EXPECT_GT(middle[0] + middle[1] + middle[2], 150) << c.name << ": the ball is too dark";
    }
}

TEST_F(MakeAssetsTest, UnwritableFolderFails) {
    std::string command = std::string(VL_MAKE_ASSETS) + " " + (*dir / "no" / "such" / "folder").string() + " 2>/dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
}

// Read back by ImageMagick as for the icon.
TEST(PngWriterTest, ImageMagickReadsBackTheSamePixels) {
    const fs::path dir = fs::temp_directory_path() / ("vl_png_writer_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    struct Size {
        int width, height;
    };
    // Row data of 1 + 3 w bytes: 4 in all; exactly one full block (28 x 771);
    // one byte over (85 x 256 = 65536); several blocks with a short last one.
    for (Size size : {Size{1, 1}, Size{28, 771}, Size{85, 256}, Size{200, 120}}) {
        Bytes pixels;
        for (int i = 0; i < size.width * size.height * 3; ++i) pixels.push_back(static_cast<unsigned char>(i * 7 + i / 3));
        const Bytes png = encodePng(size.width, size.height, 3, pixels);
        ASSERT_FALSE(png.empty()) << size.width << "x" << size.height;
        const fs::path file = dir / "image.png", back = dir / "image.rgb";
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(png.data()),
                                                    static_cast<std::streamsize>(png.size()));
        const std::string command = "/usr/bin/convert " + file.string() + " -depth 8 rgb:" + back.string();
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        EXPECT_EQ(readAll(back), pixels) << size.width << "x" << size.height;
    }
    fs::remove_all(dir);
}

TEST(PngWriterTest, RefusesPixelsThatDoNotMatchTheSize) {
    const Bytes twoPixels(6, 0);
    EXPECT_TRUE(encodePng(1, 1, 3, twoPixels).empty());
    EXPECT_TRUE(encodePng(2, 1, 4, twoPixels).empty());
    EXPECT_TRUE(encodePng(0, 2, 3, twoPixels).empty());
    EXPECT_TRUE(encodePng(1, 2, 2, twoPixels).empty());
    EXPECT_FALSE(encodePng(2, 1, 3, twoPixels).empty());
    EXPECT_TRUE(encodePng(1 << 30, 1 << 30, 3, twoPixels).empty());
}

}  // namespace
