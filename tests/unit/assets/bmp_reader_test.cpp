#include "assets/bmp_reader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using Bytes = std::vector<unsigned char>;

void putLe32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}
void putLe16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}

// A 54-byte header followed by the given pixel bytes, as written verbatim.
Bytes bmpFile(int width, int height, const Bytes& pixelData, int bits = 24, int planes = 1) {
    Bytes b(54 + pixelData.size(), 0);
    b[0] = 'B';
    b[1] = 'M';
    putLe32(b, 2, static_cast<std::uint32_t>(54 + pixelData.size()));
    putLe32(b, 10, 54);
    putLe32(b, 14, 40);
    putLe32(b, 18, static_cast<std::uint32_t>(width));
    putLe32(b, 22, static_cast<std::uint32_t>(height));
    putLe16(b, 26, static_cast<std::uint16_t>(planes));
    putLe16(b, 28, static_cast<std::uint16_t>(bits));
    for (std::size_t i = 0; i < pixelData.size(); ++i) b[54 + i] = pixelData[i];
    return b;
}

Bytes pattern(std::size_t count) {
    Bytes p(count);
    for (std::size_t i = 0; i < count; ++i) p[i] = static_cast<unsigned char>(i * 7 + 1);
    return p;
}

class BmpReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("vl_bmp_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        image = {-7, -7, nullptr};
    }
    void TearDown() override {
        free(image.pixels);
        std::filesystem::remove_all(dir);
    }

    std::string write(const std::string& name, const Bytes& bytes) {
        std::string path = (dir / name).string();
        FILE* f = fopen(path.c_str(), "wb");
        if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
        return path;
    }

    // Loads the file and returns what the reader printed.
    std::string load(const std::string& path, int* result) {
        ::testing::internal::CaptureStdout();
        *result = loadBmp(path.c_str(), &image);
        fflush(stdout);
        return ::testing::internal::GetCapturedStdout();
    }

    std::string loadFailing(const std::string& path) {
        int result = -1;
        std::string out = load(path, &result);
        EXPECT_EQ(result, 0) << path;
        EXPECT_EQ(image.pixels, nullptr) << path;
        return out;
    }

    std::string readMessage(const std::string& path) { return "Error reading image data from " + path + ".\n"; }

    std::filesystem::path dir;
    BmpImage image;
};

TEST_F(BmpReaderTest, Loads64x64AndSwapsBlueAndRed) {
    Bytes px(64 * 64 * 3, 0);
    px[0] = 10, px[1] = 20, px[2] = 30;
    std::size_t last = px.size() - 3;
    px[last] = 1, px[last + 1] = 2, px[last + 2] = 3;
    std::string path = write("a.bmp", bmpFile(64, 64, px));

    int result = 0;
    EXPECT_EQ(load(path, &result), "");
    ASSERT_EQ(result, 1);
    EXPECT_EQ(image.width, 64);
    EXPECT_EQ(image.height, 64);
    ASSERT_NE(image.pixels, nullptr);
    EXPECT_EQ(image.pixels[0], 30);
    EXPECT_EQ(image.pixels[1], 20);
    EXPECT_EQ(image.pixels[2], 10);
    EXPECT_EQ(image.pixels[last], 3);
    EXPECT_EQ(image.pixels[last + 1], 2);
    EXPECT_EQ(image.pixels[last + 2], 1);
}

TEST_F(BmpReaderTest, GarbageInTheFirstEighteenBytesStillLoadsFromOffset54) {
    Bytes file = bmpFile(4, 1, pattern(12));
    for (int i = 0; i < 18; ++i) file[i] = 0xEE;  // garbage signature, size and data offset
    std::string path = write("odd.bmp", file);

    int result = 0;
    EXPECT_EQ(load(path, &result), "");
    ASSERT_EQ(result, 1);
    Bytes p = pattern(12);
    EXPECT_EQ(image.pixels[0], p[2]);
    EXPECT_EQ(image.pixels[1], p[1]);
    EXPECT_EQ(image.pixels[2], p[0]);
}

// Where the pixels are taken from when the header has room before them: the
// data offset is followed only for a known info header size and an offset
// that fits it and keeps the whole pixel block in the file.
TEST_F(BmpReaderTest, PixelsFollowTheDataOffsetOnlyWhenTheHeaderAgrees) {
    struct Case {
        const char* what;
        std::uint32_t headerSize;
        std::uint32_t dataOffset;
        std::size_t gap;      // bytes between offset 54 and the real pixels
        bool fromOffset;      // want the pixels after the gap, not from 54
    };
    const Case cases[] = {
        {"124-byte header, offset 138", 124, 138, 84, true},
        {"108-byte header, offset 122", 108, 122, 68, true},
        {"40-byte header, offset past a gap", 40, 70, 16, true},
        {"56-byte header, offset 70", 56, 70, 16, true},
        {"52-byte header, offset 66", 52, 66, 12, true},
        {"unknown header size 64", 64, 138, 84, false},
        {"offset inside the 124-byte header", 124, 100, 84, false},
        {"offset leaves too few pixel bytes", 124, 150, 84, false},
        {"offset far beyond the file", 124, 0xFFFFFF00u, 84, false},
    };
    const Bytes pixels = pattern(16);  // 2 x 2: 6 bytes and 2 of padding per row
    for (const Case& c : cases) {
        Bytes data(c.gap, 0x55);
        data.insert(data.end(), pixels.begin(), pixels.end());
        Bytes file = bmpFile(2, 2, data);
        putLe32(file, 10, c.dataOffset);
        putLe32(file, 14, c.headerSize);
        std::string path = write("offset.bmp", file);
        int result = 0;
        EXPECT_EQ(load(path, &result), "") << c.what;
        ASSERT_EQ(result, 1) << c.what;
        const unsigned char* source = c.fromOffset ? pixels.data() : data.data();
        EXPECT_EQ(Bytes(image.pixels, image.pixels + 12),
                  (Bytes{source[2], source[1], source[0], source[5], source[4], source[3], source[10], source[9],
                         source[8], source[13], source[12], source[11]}))
            << c.what;
        free(image.pixels);
        image.pixels = nullptr;
    }
}

// ImageMagick writes the 124-byte header by default and the classic 40-byte
// one for BMP3:; both must give the pixels it was handed, rows bottom first.
TEST_F(BmpReaderTest, FilesWrittenByImageMagickLoadTheirOwnPixels) {
    const char* convert = "/usr/bin/convert";
    ASSERT_EQ(access(convert, X_OK), 0) << "ImageMagick is needed for this test";
    struct Size {
        int width, height;
    };
    for (Size size : {Size{5, 3}, Size{4, 2}}) {
        std::size_t count = static_cast<std::size_t>(size.width) * size.height * 3;
        Bytes rgb = pattern(count);  // top row first, as in a PPM
        Bytes ppm;
        std::string head = "P6\n" + std::to_string(size.width) + " " + std::to_string(size.height) + "\n255\n";
        ppm.insert(ppm.end(), head.begin(), head.end());
        ppm.insert(ppm.end(), rgb.begin(), rgb.end());
        std::string source = write("source.ppm", ppm);
        for (const char* format : {"BMP3:", "BMP:"}) {
            std::string what = std::string(format) + " " + std::to_string(size.width) + "x" + std::to_string(size.height);
            std::string target = (dir / "magick.bmp").string();
            std::string command = std::string(convert) + " " + source + " " + format + target;
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
            int result = 0;
            EXPECT_EQ(load(target, &result), "") << what;
            ASSERT_EQ(result, 1) << what;
            ASSERT_EQ(image.width, size.width) << what;
            ASSERT_EQ(image.height, size.height) << what;
            std::size_t rowBytes = static_cast<std::size_t>(size.width) * 3;
            for (int row = 0; row < size.height; ++row) {
                std::size_t from = (size.height - 1 - row) * rowBytes;
                EXPECT_EQ(Bytes(image.pixels + row * rowBytes, image.pixels + (row + 1) * rowBytes),
                          Bytes(rgb.begin() + from, rgb.begin() + from + rowBytes))
                    << what << " row " << row;
            }
            free(image.pixels);
            image.pixels = nullptr;
        }
    }
}

TEST_F(BmpReaderTest, ReportsUnsupportedFormatsWithTheValueRead) {
    std::string eight = write("eight.bmp", bmpFile(64, 64, pattern(4096), 8));
    EXPECT_EQ(loadFailing(eight), "Bpp from " + eight + " is not 24: 8\n");

    std::string deep = write("deep.bmp", bmpFile(8, 8, pattern(256), 32));
    EXPECT_EQ(loadFailing(deep), "Bpp from " + deep + " is not 24: 32\n");
    EXPECT_EQ(image.width, 8);  // sizes are stored before the checks
    EXPECT_EQ(image.height, 8);

    std::string planes = write("planes.bmp", bmpFile(4, 4, pattern(48), 24, 2));
    EXPECT_EQ(loadFailing(planes), "Planes from " + planes + " is not 1: 2\n");
}

TEST_F(BmpReaderTest, MissingFile) {
    std::string path = (dir / "nowhere.bmp").string();
    EXPECT_EQ(loadFailing(path), "File Not Found : " + path + "\n");
}

TEST_F(BmpReaderTest, ShortOrEmptyPixelDataIsAReadError) {
    std::string shortFile = write("short.bmp", bmpFile(64, 64, pattern(1000)));
    EXPECT_EQ(loadFailing(shortFile), readMessage(shortFile));

    std::string oneShort = write("one_short.bmp", bmpFile(4, 4, pattern(47)));
    EXPECT_EQ(loadFailing(oneShort), readMessage(oneShort));

    std::string zeroWidth = write("w0.bmp", bmpFile(0, 16, pattern(48)));
    EXPECT_EQ(loadFailing(zeroWidth), readMessage(zeroWidth));
    EXPECT_EQ(image.width, 0);

    std::string zeroHeight = write("h0.bmp", bmpFile(16, 0, pattern(48)));
    EXPECT_EQ(loadFailing(zeroHeight), readMessage(zeroHeight));
    EXPECT_EQ(image.height, 0);

    // A file that claims the largest accepted image but holds nothing.
    std::string claims = write("claims.bmp", bmpFile(kMaxBmpSide, kMaxBmpSide, Bytes()));
    EXPECT_EQ(loadFailing(claims), readMessage(claims));
}

TEST_F(BmpReaderTest, FileEndingInsideTheHeaderIsAReadError) {
    Bytes full = bmpFile(2, 2, pattern(16));
    for (std::size_t cut : {0, 1, 17, 18, 20, 21, 22, 25, 26, 27, 28, 29, 30, 31, 40, 53, 54}) {
        std::string path = write("cut" + std::to_string(cut) + ".bmp", Bytes(full.begin(), full.begin() + cut));
        EXPECT_EQ(loadFailing(path), readMessage(path)) << "cut at " << cut;
    }
}

TEST_F(BmpReaderTest, RejectsNegativeAndHugeSidesWithoutAllocating) {
    struct Case {
        int width;
        int height;
    };
    for (Case c : {Case{-1, 4}, Case{-64, 64}, Case{INT_MIN, 1}, Case{kMaxBmpSide + 1, 1}, Case{1, kMaxBmpSide + 1},
                   Case{1, -kMaxBmpSide - 1}, Case{1, INT_MIN}, Case{INT_MAX, INT_MAX},
                   // width * height * 3 wraps to 505032704 in 32 bits
                   Case{40000, 40000},
                   // width * 3 wraps to 2: two bytes of data would otherwise "fit"
                   Case{1431655766, 1}}) {
        std::string path = write("big.bmp", bmpFile(c.width, c.height, pattern(12)));
        std::string expected = "Image size from " + path + " is not supported: " + std::to_string(c.width) +
                               " x " + std::to_string(c.height) + "\n";
        EXPECT_EQ(loadFailing(path), expected) << c.width << " x " << c.height;
    }
}

TEST_F(BmpReaderTest, LargestSideIsAccepted) {
    std::string path = write("wide.bmp", bmpFile(kMaxBmpSide, 1, pattern(kMaxBmpSide * 3)));
    int result = 0;
    EXPECT_EQ(load(path, &result), "");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(image.width, kMaxBmpSide);
}

TEST_F(BmpReaderTest, PaddedRowsLoadWithoutPadding) {
    // 3 x 2: 9 bytes of pixels and 3 of padding per row.
    Bytes data;
    for (int row = 0; row < 2; ++row) {
        for (int px = 0; px < 3; ++px) {
            unsigned char base = static_cast<unsigned char>(row * 100 + px * 10);
            data.insert(data.end(), {base, static_cast<unsigned char>(base + 1), static_cast<unsigned char>(base + 2)});
        }
        data.insert(data.end(), {0xAA, 0xAA, 0xAA});
    }
    std::string path = write("padded.bmp", bmpFile(3, 2, data));
    int result = 0;
    EXPECT_EQ(load(path, &result), "");
    ASSERT_EQ(result, 1);
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    for (int row = 0; row < 2; ++row) {
        for (int px = 0; px < 3; ++px) {
            const unsigned char* p = image.pixels + (row * 3 + px) * 3;
            int base = row * 100 + px * 10;
            EXPECT_EQ(p[0], base + 2) << row << "," << px;
            EXPECT_EQ(p[1], base + 1) << row << "," << px;
            EXPECT_EQ(p[2], base) << row << "," << px;
        }
    }
}

TEST_F(BmpReaderTest, PaddingOfTheLastRowMayBeMissingButNotEarlierData) {
    // 1 x 2: 3 bytes + 1 padding; the final padding byte is left out.
    Bytes data = {1, 2, 3, 0, 4, 5, 6};
    std::string path = write("lastpad.bmp", bmpFile(1, 2, data));
    int result = 0;
    EXPECT_EQ(load(path, &result), "");
    ASSERT_EQ(result, 1);
    EXPECT_EQ(Bytes(image.pixels, image.pixels + 6), (Bytes{3, 2, 1, 6, 5, 4}));
    free(image.pixels);
    image.pixels = nullptr;

    std::string cut = write("cutpad.bmp", bmpFile(1, 2, Bytes{1, 2, 3, 0, 4, 5}));
    EXPECT_EQ(loadFailing(cut), readMessage(cut));
}

TEST_F(BmpReaderTest, TopDownFileIsFlippedToBottomRowFirst) {
    // 4 x 3 (no padding) stored top row first: rows are 0x10.., 0x20.., 0x30..
    Bytes data;
    for (int row = 0; row < 3; ++row)
        for (int i = 0; i < 12; ++i) data.push_back(static_cast<unsigned char>((row + 1) * 16 + i));
    std::string path = write("topdown.bmp", bmpFile(4, -3, data));
    int result = 0;
    EXPECT_EQ(load(path, &result), "");
    ASSERT_EQ(result, 1);
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.height, 3);
    // First stored row is the top: it must come last; colours swapped as usual.
    EXPECT_EQ(image.pixels[0], 0x32);
    EXPECT_EQ(image.pixels[2], 0x30);
    EXPECT_EQ(image.pixels[12], 0x22);
    EXPECT_EQ(image.pixels[24], 0x12);
    EXPECT_EQ(image.pixels[35], 0x19);
}

TEST_F(BmpReaderTest, TopDownWithPadding) {
    // 2 x 2 top-down: 6 bytes + 2 padding per row.
    Bytes data = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    std::string path = write("topdown_pad.bmp", bmpFile(2, -2, data));
    int result = 0;
    EXPECT_EQ(load(path, &result), "");
    ASSERT_EQ(result, 1);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(Bytes(image.pixels, image.pixels + 12), (Bytes{9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4}));
}

TEST_F(BmpReaderTest, MemoryReaderMatchesTheFileReader) {
    Bytes file = bmpFile(3, -2, pattern(24));
    std::string path = write("same.bmp", file);
    int result = 0;
    load(path, &result);
    ASSERT_EQ(result, 1);
    Bytes fromFile(image.pixels, image.pixels + 18);

    BmpImage memory{0, 0, nullptr};
    ASSERT_EQ(loadBmpFromMemory(file.data(), file.size(), "mem", &memory), 1);
    EXPECT_EQ(memory.width, 3);
    EXPECT_EQ(memory.height, 2);
    EXPECT_EQ(Bytes(memory.pixels, memory.pixels + 18), fromFile);
    free(memory.pixels);

    for (std::size_t size : {0, 10, 29, 40}) {
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(loadBmpFromMemory(file.data(), size, "mem", &memory), 0);
        fflush(stdout);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Error reading image data from mem.\n") << size;
        EXPECT_EQ(memory.pixels, nullptr);
    }
}

TEST(LittleEndianTest, CombinesBytesLowFirst) {
    unsigned char bytes[] = {0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0x34, 0x12, 0xFE, 0xFF};
    FILE* f = fmemopen(bytes, sizeof bytes, "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(readLe32(f), 0x12345678);
    EXPECT_EQ(readLe32(f), -1);
    EXPECT_EQ(readLe32(f), INT_MIN);
    EXPECT_EQ(readLe16(f), 0x1234);
    EXPECT_EQ(readLe16(f), 0xFFFE);
    fclose(f);
}

}  // namespace
