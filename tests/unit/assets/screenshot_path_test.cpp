// Where a screenshot goes: the folder from the environment, the desktop's
// user-dirs.dirs and the home folder, in that order; the name from the
// local time, with a copy number for more shots within one second.

#include <gtest/gtest.h>

#include <ctime>
#include <set>
#include <string>

#include "assets/screenshot_path.h"

namespace {

TEST(ScreenshotPathTest, FolderComesFromTheFirstSourceThatNamesOne) {
    const std::string userDirs = "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                 "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
    struct Case {
        const char* variable;
        const char* home;
        std::string userDirs;
        bool homePictures;
        const char* folder;
    };
    const Case cases[] = {
        {"/shots/", "/home/ann", userDirs, true, "/shots"},
        {"relative/shots", "/home/ann", userDirs, true, "/home/ann/Bilder"},  // not a usable path
        {"", "/home/ann", userDirs, true, "/home/ann/Bilder"},
        {"", "/home/ann/", "XDG_PICTURES_DIR=\"$HOME\"\n", true, "/home/ann"},  // the desktop's "none"
        {"", "/home/ann", "  XDG_PICTURES_DIR = \"/media/p\\\"q\"\nXDG_PICTURES_DIR=\"/media/last\"", true,
         "/media/last"},
        {"", "/home/ann", "XDG_PICTURES_DIR=\"Pictures\"\nXDG_PICTURES_DIR=\"$HOMEX/a\"\n", true,
         "/home/ann/Pictures"},  // neither form the desktop writes
        {"", "/home/ann", "XDG_PICTURES_DIR=\"/unclosed\n", false, "/home/ann"},
        {"", "/home/ann", "", false, "/home/ann"},
        {"", "/", "", true, "/Pictures"},
        {"", "", userDirs, true, ""},  // no home: nowhere to save
        {"/shots", "", "", false, "/shots"},
    };
    for (const Case& c : cases) {
        PictureFolderSources sources;
        sources.picturesVariable = c.variable;
        sources.home = c.home;
        sources.userDirs = c.userDirs;
        sources.homePicturesIsFolder = c.homePictures;
        EXPECT_EQ(choosePictureFolder(sources), c.folder) << c.variable << " | " << c.home << " | " << c.userDirs;
    }
}

std::set<std::string> taken;
bool isTaken(const std::string& path) { return taken.count(path) != 0; }

TEST(ScreenshotPathTest, NamesCarryTheLocalTimeAndACopyNumberWhenTaken) {
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 0;
    local.tm_mday = 7;
    local.tm_hour = 9;
    local.tm_min = 5;
    local.tm_sec = 3;
    taken.clear();
    EXPECT_EQ(freeScreenshotPath("/p", local, isTaken), "/p/vennaloft-20260107-090503.png");
    taken = {"/p/vennaloft-20260107-090503.png", "/p/vennaloft-20260107-090503-2.png"};
    EXPECT_EQ(freeScreenshotPath("/p", local, isTaken), "/p/vennaloft-20260107-090503-3.png");
    EXPECT_EQ(freeScreenshotPath("/", local, isTaken), "/vennaloft-20260107-090503.png");
}

}  // namespace
