#include "effects/screenshot_notice.h"

#include "platform/clock.h"

namespace {

bool requested = false;
std::string noticeText;
int noticeShownAt = 0;
std::string lastingText;

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

const char* currentNotice(int now) {
    if (!noticeText.empty() && millisecondsBetween(noticeShownAt, now) >= kNoticeMilliseconds) noticeText.clear();
    if (!noticeText.empty()) return noticeText.c_str();
    return lastingText.empty() ? nullptr : lastingText.c_str();
}
