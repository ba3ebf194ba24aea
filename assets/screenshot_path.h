#pragma once

// Where S saves its picture and under which name. The choice is pure (tests
// hand it any environment); currentPictureFolderSources gathers the real
// sources from the environment and the file system.

#include <ctime>
#include <string>

struct PictureFolderSources {
    std::string picturesVariable;  // $XDG_PICTURES_DIR; "" when unset
    std::string home;              // $HOME; "" when unset
    std::string userDirs;          // the text of user-dirs.dirs; "" when there is none
    bool homePicturesIsFolder = false;  // ~/Pictures exists and is a folder
};

// The XDG_PICTURES_DIR entry of a user-dirs.dirs file, as the desktop keeps
// it: "$HOME/..." or an absolute path in double quotes, the last such line
// winning. "" when there is none in that form.
std::string picturesFromUserDirs(const std::string& contents, const std::string& home);

// $XDG_PICTURES_DIR when it is an absolute path, else the user-dirs.dirs
// entry, else ~/Pictures when it is a folder, else the home folder; without
// trailing slashes. "" when there is no home folder to fall back on.
std::string choosePictureFolder(const PictureFolderSources& sources);

// The environment, user-dirs.dirs (under $XDG_CONFIG_HOME, else ~/.config)
// and whether ~/Pictures is a folder.
PictureFolderSources currentPictureFolderSources();

// "vennaloft-YYYYMMDD-HHMMSS.png" for copy 1, "vennaloft-YYYYMMDD-HHMMSS-N.png"
// for copy N >= 2 (more shots within the same second).
std::string screenshotName(const std::tm& local, int copy);

// folder/name for the first copy that `exists` does not report; "" when
// even copy 999 is taken.
std::string freeScreenshotPath(const std::string& folder, const std::tm& local,
                               bool (*exists)(const std::string& path));

// Anything at the path, a dangling link included.
bool pathExists(const std::string& path);
