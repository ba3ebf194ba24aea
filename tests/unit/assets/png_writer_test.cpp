// The PNG encoder checked by a reader that is not ours (ImageMagick through
// libpng and zlib, which verify the CRCs, the block lengths and the Adler
// sum), at sizes on both sides of a stored block's 65535 bytes.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/png_writer.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

Bytes readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

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
