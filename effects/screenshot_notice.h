#pragma once

// S: the request that the next frame takes up, and the line it then shows
// in the bottom-left corner ("Saved ..." or why not) for two seconds of
// wall-clock time, paused or not. A lasting line (a recording that stopped)
// shows there whenever no such line does. Nothing here draws or writes files;
// the program's one CornerNotices belongs to app/.

#include <string>
#include <vector>

constexpr int kNoticeMilliseconds = 2000;

struct CornerNotices {
    bool screenshotRequested = false;
    std::string timedText;
    int timedShownAt = 0;
    std::string lastingText;
    std::string verdictText;
};

void requestScreenshot(CornerNotices& notices);
// True once for each run of requests: the frame that takes it saves.
bool takeScreenshotRequest(CornerNotices& notices);

// Shows `text` from `now` (elapsed milliseconds) on, replacing any earlier line.
void showNotice(CornerNotices& notices, const std::string& text, int now);
// Shown from now on, until cleared, whenever no timed line is.
void showLastingNotice(CornerNotices& notices, const std::string& text);
void clearLastingNotice(CornerNotices& notices);
// A replay's verdict ("replay matches: N steps", "replay diverges at step
// N"): shown until the next key press clears it.
void showVerdict(CornerNotices& notices, const std::string& text);
// True when one was showing (the picture is to be drawn again).
bool clearVerdict(CornerNotices& notices);
// The line to draw at `now`: the timed one while its time lasts, else the
// verdict, else the lasting one; nullptr when there is none.
const char* currentNotice(CornerNotices& notices, int now);

// `text` in lines of at most `perLine` characters, for a corner narrower
// than the line: broken after the last space that fits (the space dropped),
// else after the last '/' (a path), and only where neither is, inside a word.
std::vector<std::string> noticeLines(const std::string& text, int perLine);
