#include "app/recording_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The whole of `text`, through short writes and interruptions; false with
// errno set on the first real failure. Callers read errno before building
// any message, which may allocate.
bool writeAll(int fd, const char* text, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, text, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        text += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Synced to the disk. A file system that cannot sync at all is no failure
// of this file.
bool synced(int fd) { return ::fsync(fd) == 0 || errno == EINVAL || errno == ENOSYS; }

}  // namespace

RecordingFile::RecordingFile(RecordingFile&& other) noexcept { *this = std::move(other); }

RecordingFile& RecordingFile::operator=(RecordingFile&& other) noexcept {
    if (this == &other) return *this;
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
    partPath_ = std::move(other.partPath_);
    named_ = other.named_;
    good_ = other.good_;
    failure_ = std::move(other.failure_);
    // The moved-from file names nothing, so discarding it removes nothing.
    other.path_.clear();
    other.partPath_.clear();
    other.named_ = false;
    other.good_ = 0;
    other.failure_.clear();
    return *this;
}

RecordingFile::~RecordingFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool RecordingFile::open(const std::string& path, const std::string& header, std::string& error) {
    *this = RecordingFile();
    // The part file would take this name in the end: a folder, a device or
    // a pipe would be replaced by it (or the rename fail at the end).
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        error = "cannot record to " + path + (S_ISDIR(existing.st_mode) ? ": it is a folder" : ": not a regular file");
        return false;
    }
    path_ = path;
    partPath_ = path + ".part";
    fd_ = ::open(partPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        const int reason = errno;
        error = "cannot write " + partPath_ + ": " + std::strerror(reason);
        return false;
    }
    // A disk that is full already says so now, before anything starts.
    if (!write(header)) {
        error = failure_;
        discard();
        return false;
    }
    return true;
}

bool RecordingFile::fail(const std::string& what, int error) {
    if (failure_.empty()) failure_ = what + ": " + std::strerror(error != 0 ? error : EIO);
    // What reached the file of a failed write is cut off, so the file ends
    // where the last whole write ended.
    if (fd_ >= 0 && ::ftruncate(fd_, static_cast<off_t>(good_)) != 0) {
        failure_ += " (and it could not be cut back to its last whole record)";
    }
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return false;
}

bool RecordingFile::write(const std::string& text) {
    if (fd_ < 0) return false;
    if (!writeAll(fd_, text.data(), text.size())) {
        const int error = errno;
        return fail("cannot write " + currentPath(), error);
    }
    good_ += static_cast<long long>(text.size());
    return true;
}

bool RecordingFile::takeName() {
    if (fd_ < 0) return false;
    if (named_) return true;
    if (!synced(fd_)) {
        const int error = errno;
        return fail("cannot write " + partPath_, error);
    }
    if (std::rename(partPath_.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        return fail("cannot rename " + partPath_ + " to " + path_, error);
    }
    named_ = true;
    return true;
}

bool RecordingFile::close() {
    if (fd_ < 0) return failure_.empty();
    if (!synced(fd_)) {
        const int error = errno;
        return fail("cannot write " + currentPath(), error);
    }
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) {
        const int error = errno;
        failure_ = "cannot write " + currentPath() + ": " + std::strerror(error);
        return false;
    }
    return true;
}

void RecordingFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!partPath_.empty() && !named_) std::remove(partPath_.c_str());
}
