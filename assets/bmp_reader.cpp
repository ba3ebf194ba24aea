#include "assets/bmp_reader.h"

#include <cstdlib>

namespace {

constexpr long kOffsetField = 10;    // pixel data offset, then info header size
constexpr long kSkippedFields = 24;  // compression .. important colours
constexpr long kClassicDataOffset = 54;
static_assert(static_cast<long long>(kMaxBmpSide) * kMaxBmpSide * 3 <= 0x7fffffffLL,
              "the pixel byte count must fit in an int");

int failRead(const char* name) {
    printf("Error reading image data from %s.\n", name);
    return 0;
}

// Bytes from the current position to the end, or -1 when the stream cannot
// tell (a pipe). Lets a file that only claims a large image be turned away
// before anything is allocated for it.
long bytesLeft(FILE* file) {
    long here = ftell(file);
    if (here < 0 || fseek(file, 0, SEEK_END) != 0) return -1;
    long end = ftell(file);
    if (fseek(file, here, SEEK_SET) != 0 || end < 0) return -1;
    return end - here;
}

// Row-by-row read for files whose rows carry padding or run top to bottom;
// the rows end up unpadded and bottom row first either way.
bool readRows(FILE* file, unsigned char* pixels, int width, int rows, bool topDown, long padding) {
    std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    for (int r = 0; r < rows; ++r) {
        int target = topDown ? rows - 1 - r : r;
        if (fread(pixels + static_cast<std::size_t>(target) * rowBytes, rowBytes, 1, file) != 1) return false;
        // The last row's padding may be missing; nothing follows it anyway.
        if (padding != 0 && r + 1 < rows && fseek(file, padding, SEEK_CUR) != 0) return false;
    }
    return true;
}

// Bytes between offset 54 and the pixels. Files with a larger info header
// (ImageMagick's and GIMP's 124 bytes) start their pixels further on; the
// data offset is trusted only when the header size is one of the known info
// headers and the offset leaves room for it and the whole pixel block. Any
// other file is read from offset 54, so one whose first 18 bytes are not a
// BMP header still loads.
long pixelGap(unsigned dataOffset, unsigned headerSize, long needed, long available) {
    bool knownHeader = headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
                       headerSize == 124;
    if (!knownHeader || available < 0 || dataOffset < 14 + headerSize) return 0;
    long gap = static_cast<long>(dataOffset) - kClassicDataOffset;
    return gap <= available - needed ? gap : 0;
}

}  // namespace

int readLe32(FILE* file) {
    // Unsigned arithmetic: a top byte of 128 or more must not overflow an int.
    unsigned b0 = static_cast<unsigned>(getc(file));
    unsigned b1 = static_cast<unsigned>(getc(file));
    unsigned b2 = static_cast<unsigned>(getc(file));
    unsigned b3 = static_cast<unsigned>(getc(file));
    return static_cast<int>(b0 + b1 * 256u + b2 * 65536u + b3 * 16777216u);
}

unsigned short readLe16(FILE* file) {
    unsigned b0 = static_cast<unsigned>(getc(file));
    unsigned b1 = static_cast<unsigned>(getc(file));
    return static_cast<unsigned short>(b0 + b1 * 256u);
}

int loadBmpFromStream(FILE* file, const char* name, BmpImage* image) {
    image->pixels = nullptr;

    if (fseek(file, kOffsetField, SEEK_CUR) != 0) return failRead(name);
    unsigned dataOffset = static_cast<unsigned>(readLe32(file));
    unsigned headerSize = static_cast<unsigned>(readLe32(file));
    int width = readLe32(file);
    int height = readLe32(file);
    unsigned planes = readLe16(file);
    unsigned bits = readLe16(file);
    // A file that ends inside the header has handed out EOF markers, not sizes.
    if (feof(file) || ferror(file)) return failRead(name);
    image->width = width;
    image->height = height;

    if (planes != 1) {
        printf("Planes from %s is not 1: %u\n", name, planes);
        return 0;
    }
    if (bits != 24) {
        printf("Bpp from %s is not 24: %u\n", name, bits);
        return 0;
    }
    if (width == 0 || height == 0) return failRead(name);  // nothing to read
    if (width < 0 || width > kMaxBmpSide || height < -kMaxBmpSide || height > kMaxBmpSide) {
        printf("Image size from %s is not supported: %d x %d\n", name, width, height);
        return 0;
    }

    // A negative height marks a file stored top row first.
    bool topDown = height < 0;
    int rows = topDown ? -height : height;
    long rowBytes = static_cast<long>(width) * 3;
    long padding = (4 - rowBytes % 4) % 4;
    long needed = (rowBytes + padding) * (rows - 1) + rowBytes;
    int n = static_cast<int>(rowBytes * rows);

    if (fseek(file, kSkippedFields, SEEK_CUR) != 0) return failRead(name);
    long available = bytesLeft(file);
    long skip = pixelGap(dataOffset, headerSize, needed, available);
    if (skip > 0) {
        if (fseek(file, skip, SEEK_CUR) != 0) return failRead(name);
        available -= skip;
    }
    if (available >= 0 && available < needed) return failRead(name);

    unsigned char* pixels = static_cast<unsigned char*>(malloc(static_cast<std::size_t>(n)));
    if (pixels == nullptr) {
        printf("Error allocating memory for color-corrected image data");
        return 0;
    }
    bool complete = (padding == 0 && !topDown)
                        ? fread(pixels, static_cast<std::size_t>(n), 1, file) == 1
                        : readRows(file, pixels, width, rows, topDown, padding);
    if (!complete) {
        free(pixels);
        return failRead(name);
    }

    // B, G, R -> R, G, B in place.
    for (unsigned i = 0; i < static_cast<unsigned>(n); i += 3) {
        unsigned char blue = pixels[i];
        pixels[i] = pixels[i + 2];
        pixels[i + 2] = blue;
    }
    image->height = rows;
    image->pixels = pixels;
    return 1;
}

int loadBmp(const char* fileName, BmpImage* image) {
    FILE* file = fopen(fileName, "rb");
    if (file == nullptr) {
        printf("File Not Found : %s\n", fileName);
        return 0;
    }
    int result = loadBmpFromStream(file, fileName, image);
    fclose(file);
    return result;
}

int loadBmpFromMemory(const unsigned char* data, std::size_t size, const char* name, BmpImage* image) {
    image->pixels = nullptr;
    if (size == 0) return failRead(name);
    // fmemopen wants a writable pointer even for reading; nothing is written.
    FILE* file = fmemopen(const_cast<unsigned char*>(data), size, "rb");
    if (file == nullptr) return failRead(name);
    int result = loadBmpFromStream(file, name, image);
    fclose(file);
    return result;
}
