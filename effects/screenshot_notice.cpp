#include "effects/screenshot_notice.h"

#include "platform/clock.h"

namespace {

bool requested = false;
std::string noticeText;
int noticeShownAt = 0;

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

const char* currentNotice(int now) {
    if (noticeText.empty()) return nullptr;
    if (millisecondsBetween(noticeShownAt, now) >= kNoticeMilliseconds) {
        noticeText.clear();
        return nullptr;
    }
    return noticeText.c_str();
}
