// Feeds arbitrary bytes to the BMP reader, once from memory and once from a
// real file, and checks that both readers agree and that a loaded image
// owns exactly width * height * 3 bytes.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "assets/bmp_reader.h"

namespace {
FILE* scratch = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The reader's messages would only slow the run down.
    if (freopen("/dev/null", "w", stdout) == nullptr) abort();
    scratch = tmpfile();
    if (scratch == nullptr) abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BmpImage fromMemory{0, 0, nullptr};
    int memoryResult = loadBmpFromMemory(data, size, "fuzz.bmp", &fromMemory);

    if (ftruncate(fileno(scratch), 0) != 0) abort();
    rewind(scratch);
    if (size > 0 && fwrite(data, 1, size, scratch) != size) abort();
    fflush(scratch);
    rewind(scratch);
    BmpImage fromFile{0, 0, nullptr};
    int fileResult = loadBmpFromStream(scratch, "fuzz.bmp", &fromFile);

    if (memoryResult != fileResult) abort();
    if (memoryResult == 1) {
        if (fromMemory.width <= 0 || fromMemory.height <= 0 || fromMemory.width > kMaxBmpSide ||
            fromMemory.height > kMaxBmpSide || fromMemory.pixels == nullptr)
            abort();
        if (fromMemory.width != fromFile.width || fromMemory.height != fromFile.height) abort();
        std::size_t bytes = static_cast<std::size_t>(fromMemory.width) * fromMemory.height * 3;
        // Touches every byte, so the sanitizer sees any short buffer.
        if (memcmp(fromMemory.pixels, fromFile.pixels, bytes) != 0) abort();
    } else if (fromMemory.pixels != nullptr || fromFile.pixels != nullptr) {
        abort();
    }
    free(fromMemory.pixels);
    free(fromFile.pixels);
    return 0;
}
