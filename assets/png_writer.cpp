#include "assets/png_writer.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

// A stored deflate block holds at most this many bytes.
constexpr std::size_t kStoredBlockBytes = 65535;
// A chunk's length is a 31-bit number; this leaves room for the block
// headers (5 bytes in every 65535) and the zlib frame.
constexpr std::uint64_t kMaxRawBytes = 0x7f000000u;

using Bytes = std::vector<unsigned char>;

void putBe32(Bytes& out, std::uint32_t value) {
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void putLe16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

// Byte at a time from a table: a full-screen shot sums megabytes.
std::uint32_t crc32(const unsigned char* bytes, std::size_t count) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1u)));
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xffffffffu;
    for (std::size_t i = 0; i < count; ++i) crc = table[(crc ^ bytes[i]) & 0xffu] ^ (crc >> 8);
    return crc ^ 0xffffffffu;
}

// The sums are reduced once per 5552 bytes, the most that cannot overflow 32 bits.
std::uint32_t adler32(const Bytes& bytes) {
    constexpr std::size_t kRun = 5552;
    std::uint32_t a = 1, b = 0;
    for (std::size_t at = 0; at < bytes.size(); at += kRun) {
        const std::size_t end = bytes.size() - at < kRun ? bytes.size() : at + kRun;
        for (std::size_t i = at; i < end; ++i) {
            a += bytes[i];
            b += a;
        }
        a %= 65521u;
        b %= 65521u;
    }
    return (b << 16) | a;
}

// Length, type, data and the CRC of type and data.
void putChunk(Bytes& out, const char* type, const Bytes& data) {
    putBe32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBe32(out, crc32(out.data() + typeAt, out.size() - typeAt));
}

// A zlib stream of stored blocks, the last one flagged final.
Bytes storedZlib(const Bytes& raw) {
    Bytes zlib = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary
    std::size_t at = 0;
    do {
        const std::size_t length = raw.size() - at < kStoredBlockBytes ? raw.size() - at : kStoredBlockBytes;
        const bool final = at + length == raw.size();
        zlib.push_back(final ? 0x01 : 0x00);
        putLe16(zlib, static_cast<std::uint32_t>(length));
        putLe16(zlib, ~static_cast<std::uint32_t>(length) & 0xffffu);
        zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                    raw.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    } while (at < raw.size());
    putBe32(zlib, adler32(raw));
    return zlib;
}

}  // namespace

std::vector<unsigned char> encodePng(int width, int height, int channels, const std::vector<unsigned char>& pixels) {
    if (width <= 0 || height <= 0 || (channels != 3 && channels != 4)) return {};
    // In 64 bits, so that no product wraps where size_t has 32.
    const std::uint64_t rowBytes64 = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(channels);
    if (rowBytes64 + 1 > kMaxRawBytes / static_cast<std::uint64_t>(height)) return {};
    const std::size_t rowBytes = static_cast<std::size_t>(rowBytes64);
    const std::size_t rawBytes = (rowBytes + 1) * static_cast<std::size_t>(height);
    if (pixels.size() != rowBytes * static_cast<std::size_t>(height)) return {};

    Bytes raw;
    raw.reserve(rawBytes);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // row filter: none (it would not shrink stored blocks)
        const auto row = pixels.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<std::size_t>(y));
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }

    Bytes header;
    putBe32(header, static_cast<std::uint32_t>(width));
    putBe32(header, static_cast<std::uint32_t>(height));
    // 8 bits a sample, RGB or RGBA, deflate, adaptive filtering, not interlaced.
    header.insert(header.end(), {8, static_cast<unsigned char>(channels == 4 ? 6 : 2), 0, 0, 0});

    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", storedZlib(raw));
    putChunk(png, "IEND", {});
    return png;
}
