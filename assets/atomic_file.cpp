#include "assets/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool writeFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes, std::string& reason) {
    const std::string part = path + ".part";
    std::FILE* file = std::fopen(part.c_str(), "wb");
    if (file == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    // The first error is the one worth reporting; a full disk may show only
    // when the buffer is flushed at the close.
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    int error = ok ? 0 : errno;
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(part.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (ok) return true;
    std::remove(part.c_str());
    reason = std::strerror(error != 0 ? error : EIO);
    return false;
}
