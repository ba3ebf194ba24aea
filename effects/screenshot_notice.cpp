#include "effects/screenshot_notice.h"

#include "platform/clock.h"

namespace {

bool requested = false;
std::string noticeText;
int noticeShownAt = 0;
std::string lastingText;
std::string verdictText;

}  // namespace

void requestScreenshot() { requested = true; }

bool takeScreenshotRequest() {
    const bool was = requested;
    requested = false;
    return was;
}

void showNotice(const std::string& text, int now) {
    noticeText = text;
    noticeShownAt = now;
}

void showLastingNotice(const std::string& text) { lastingText = text; }

void clearLastingNotice() { lastingText.clear(); }

void showVerdict(const std::string& text) { verdictText = text; }

bool clearVerdict() {
    const bool was = !verdictText.empty();
    verdictText.clear();
    return was;
}

const char* currentNotice(int now) {
    if (!noticeText.empty() && millisecondsBetween(noticeShownAt, now) >= kNoticeMilliseconds) noticeText.clear();
    if (!noticeText.empty()) return noticeText.c_str();
    if (!verdictText.empty()) return verdictText.c_str();
    return lastingText.empty() ? nullptr : lastingText.c_str();
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
