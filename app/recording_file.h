#pragma once

// The file a recording goes to. It is written as "<path>.part", which takes
// the name `path` once it holds a recording worth keeping, so an earlier
// recording of that name is replaced only by a sound one. Every write, sync,
// rename and close is checked. After the first failure nothing more is
// written, and the file is cut back to its last whole write, so what it
// holds still reads as a (shorter) recording.

#include <string>

class RecordingFile {
public:
    RecordingFile() = default;
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;
    RecordingFile(RecordingFile&& other) noexcept;
    RecordingFile& operator=(RecordingFile&& other) noexcept;
    ~RecordingFile();

    // Refuses a folder or anything else that is not a regular file at
    // `path`, then creates the part file and writes `header` into it.
    // False with one line in `error`, and no part file left behind.
    bool open(const std::string& path, const std::string& header, std::string& error);
    bool isOpen() const { return fd_ >= 0; }

    // Appends `text`. False, with the reason in failure(), when it or
    // anything before failed.
    bool write(const std::string& text);
    // The part file takes the name `path` (once): synced first, so the name
    // never stands for bytes the disk does not hold.
    bool takeName();
    bool named() const { return named_; }
    // Synced and closed. False when that or anything before failed.
    bool close();
    // Closes and removes the part file: for a recording that never started.
    void discard();

    // "cannot write FILE: <the system's reason>", empty while all is well.
    const std::string& failure() const { return failure_; }
    // The file being written: the part file until it takes the name.
    const std::string& currentPath() const { return named_ ? path_ : partPath_; }
    const std::string& path() const { return path_; }

private:
    bool fail(const std::string& what, int error);

    int fd_ = -1;
    std::string path_;
    std::string partPath_;
    bool named_ = false;
    long long good_ = 0;  // bytes written whole
    std::string failure_;
};
