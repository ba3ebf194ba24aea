#pragma once

// Minimal reader for uncompressed 24-bit BMP files. Problems are reported
// with one message on standard output and a result of 0; the reader never
// ends the process.

#include <cstddef>
#include <cstdio>

struct BmpImage {
    int width;
    int height;              // always positive after a successful load
    unsigned char* pixels;   // width * height * 3 bytes, R G B, bottom row first; malloc'd, caller frees
};

// Largest side accepted; keeps every buffer and texture size sane.
constexpr int kMaxBmpSide = 16384;

// Little-endian integers read one byte at a time with getc, so the result
// does not depend on the host's byte order.
int readLe32(FILE* file);
unsigned short readLe16(FILE* file);

// 1 on success with image filled, 0 after printing one message.
int loadBmp(const char* fileName, BmpImage* image);

// Same, from a stream that is already open (not closed here); name is used
// in the messages only.
int loadBmpFromStream(FILE* file, const char* name, BmpImage* image);

// Same, from bytes in memory.
int loadBmpFromMemory(const unsigned char* data, std::size_t size, const char* name, BmpImage* image);
