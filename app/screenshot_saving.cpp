#include "app/screenshot_saving.h"

#include <ctime>
#include <string>
#include <vector>

#include "app/live_simulation.h"
#include "assets/atomic_file.h"
#include "assets/screenshot_path.h"
#include "effects/screenshot_notice.h"
#include "platform/clock.h"
#include "render/frame_readback.h"
#include "render/graphics_setup.h"

namespace {

std::string saveAndDescribe() {
    const int width = graphics.windowSize[0];
    const int height = graphics.windowSize[1];
    const std::vector<unsigned char> png = readFramePng(width, height);

    const std::string folder = choosePictureFolder(currentPictureFolderSources());
    if (folder.empty()) return "Could not save the screenshot: no picture folder and HOME is not set";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::string path = freeScreenshotPath(folder, local, pathExists);
    if (path.empty()) return "Could not save the screenshot: every name for this second in " + folder + " is taken";

    if (png.empty()) return "Could not save " + path + ": the window is empty or too large";
    std::string reason;
    if (!writeFileAtomically(path, png, reason)) return "Could not save " + path + ": " + reason;
    return "Saved " + path;
}

}  // namespace

void saveScreenshot() { showNotice(live.notices, saveAndDescribe(), elapsedMilliseconds()); }
