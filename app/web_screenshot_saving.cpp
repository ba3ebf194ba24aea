// S in the page: a page cannot write into the user's picture folder, so the
// picture is handed to the browser as a download under the same name the
// desktop would give it.

#include <emscripten.h>

#include <ctime>
#include <string>
#include <vector>

#include "app/live_simulation.h"
#include "app/screenshot_saving.h"
#include "assets/screenshot_path.h"
#include "effects/screenshot_notice.h"
#include "platform/clock.h"
#include "render/frame_readback.h"
#include "render/graphics_setup.h"

namespace {

std::string downloadAndDescribe() {
    const int width = graphics.windowSize[0];
    const int height = graphics.windowSize[1];
    const std::vector<unsigned char> png = readFramePng(width, height);
    if (png.empty()) return "Could not save the screenshot: the canvas is empty or too large";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::string name = screenshotName(local, 1);
    // The browser numbers a second download of the same name itself. A page
    // that cannot hand it over (no memory for the copy, downloads blocked
    // by the page's policy) says so instead of "Saved".
    const int handedOver = EM_ASM_INT(
        {
            try {
                const bytes = HEAPU8.slice($0, $0 + $1);
                const link = document.createElement('a');
                link.href = URL.createObjectURL(new Blob([bytes], {type: 'image/png'}));
                link.download = UTF8ToString($2);
                document.body.appendChild(link);
                link.click();
                link.remove();
                setTimeout(() => URL.revokeObjectURL(link.href), 10000);
                return 1;
            } catch (e) {
                return 0;
            }
        },
        png.data(), static_cast<int>(png.size()), name.c_str());
    if (handedOver == 0) return "Could not save " + name + ": the browser refused the download";
    return "Saved " + name + " (download)";
}

}  // namespace

void saveScreenshot() { showNotice(live.notices, downloadAndDescribe(), elapsedMilliseconds()); }
