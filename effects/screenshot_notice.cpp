#include "effects/screenshot_notice.h"

#include "platform/clock.h"

void requestScreenshot(CornerNotices& notices) { notices.screenshotRequested = true; }

bool takeScreenshotRequest(CornerNotices& notices) {
    const bool was = notices.screenshotRequested;
    notices.screenshotRequested = false;
    return was;
}

void showNotice(CornerNotices& notices, const std::string& text, int now) {
    notices.timedText = text;
    notices.timedShownAt = now;
}

void showLastingNotice(CornerNotices& notices, const std::string& text) { notices.lastingText = text; }

void clearLastingNotice(CornerNotices& notices) { notices.lastingText.clear(); }

void showVerdict(CornerNotices& notices, const std::string& text) { notices.verdictText = text; }

bool clearVerdict(CornerNotices& notices) {
    const bool was = !notices.verdictText.empty();
    notices.verdictText.clear();
    return was;
}

const char* currentNotice(CornerNotices& notices, int now) {
    std::string& timed = notices.timedText;
    if (!timed.empty() && millisecondsBetween(notices.timedShownAt, now) >= kNoticeMilliseconds) timed.clear();
    if (!timed.empty()) return timed.c_str();
    if (!notices.verdictText.empty()) return notices.verdictText.c_str();
    return notices.lastingText.empty() ? nullptr : notices.lastingText.c_str();
}

std::vector<std::string> noticeLines(const std::string& text, int perLine) {
    std::vector<std::string> lines;
    if (perLine < 1) perLine = 1;
    const std::size_t width = static_cast<std::size_t>(perLine);
    std::size_t at = 0;
    while (at < text.size()) {
        if (text.size() - at <= width) {
            lines.push_back(text.substr(at));
            break;
        }
        // The break: a space just past the line's end still counts, since it is dropped.
        std::size_t cut = text.rfind(' ', at + width);
        std::size_t next = cut + 1;
        if (cut == std::string::npos || cut <= at) {
            cut = text.rfind('/', at + width - 1);
            if (cut == std::string::npos || cut < at) {
                cut = at + width;
            } else {
                ++cut;
            }
            next = cut;
        }
        lines.push_back(text.substr(at, cut - at));
        at = next;
        while (at < text.size() && text[at] == ' ') ++at;
    }
    return lines;
}
