#include "assets/screenshot_path.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

constexpr int kMostCopies = 999;

bool isAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// folder/name, without doubling the slash of the root.
std::string under(const std::string& folder, const std::string& name) {
    return (folder == "/" ? "" : folder) + "/" + name;
}

bool isFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// One line's value if it reads XDG_PICTURES_DIR="...", backslash escapes
// undone; false for any other line.
bool quotedPicturesValue(const std::string& line, std::string& value) {
    static const std::string kKey = "XDG_PICTURES_DIR";
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line.compare(at, kKey.size(), kKey) != 0) return false;
    at = line.find_first_not_of(" \t", at + kKey.size());
    if (at == std::string::npos || line[at] != '=') return false;
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line[at] != '"') return false;
    value.clear();
    for (++at; at < line.size(); ++at) {
        if (line[at] == '"') return true;
        if (line[at] == '\\' && at + 1 < line.size()) ++at;
        value += line[at];
    }
    return false;  // no closing quote
}

}  // namespace

std::string picturesFromUserDirs(const std::string& contents, const std::string& home) {
    static const std::string kHome = "$HOME";
    std::string found;
    std::istringstream lines(contents);
    std::string line, value;
    while (std::getline(lines, line)) {
        if (!quotedPicturesValue(line, value)) continue;
        if (value.compare(0, kHome.size(), kHome) == 0 && (value.size() == kHome.size() || value[kHome.size()] == '/')) {
            const std::string rest = value.substr(kHome.size());
            if (isAbsolute(home)) found = rest.empty() ? home : under(withoutTrailingSlashes(home), rest.substr(1));
        } else if (isAbsolute(value)) {
            found = value;
        }
    }
    return found;
}

std::string choosePictureFolder(const PictureFolderSources& sources) {
    if (isAbsolute(sources.picturesVariable)) return withoutTrailingSlashes(sources.picturesVariable);
    const std::string fromFile = picturesFromUserDirs(sources.userDirs, sources.home);
    if (!fromFile.empty()) return withoutTrailingSlashes(fromFile);
    if (!isAbsolute(sources.home)) return "";
    const std::string home = withoutTrailingSlashes(sources.home);
    if (sources.homePicturesIsFolder) return under(home, "Pictures");
    return home;
}

PictureFolderSources currentPictureFolderSources() {
    PictureFolderSources sources;
    sources.picturesVariable = environment("XDG_PICTURES_DIR");
    sources.home = environment("HOME");
    std::string config = environment("XDG_CONFIG_HOME");
    if (!isAbsolute(config)) config = isAbsolute(sources.home) ? under(withoutTrailingSlashes(sources.home), ".config") : "";
    if (!config.empty()) {
        std::ifstream file(config + "/user-dirs.dirs");
        sources.userDirs.assign(std::istreambuf_iterator<char>(file), {});
    }
    sources.homePicturesIsFolder = isAbsolute(sources.home) && isFolder(under(withoutTrailingSlashes(sources.home), "Pictures"));
    return sources;
}

std::string screenshotName(const std::tm& local, int copy) {
    char name[64];
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    if (copy <= 1) {
        std::snprintf(name, sizeof name, "vennaloft-%s.png", stamp);
    } else {
        std::snprintf(name, sizeof name, "vennaloft-%s-%d.png", stamp, copy);
    }
    return name;
}

std::string freeScreenshotPath(const std::string& folder, const std::tm& local,
                               bool (*exists)(const std::string& path)) {
    for (int copy = 1; copy <= kMostCopies; ++copy) {
        const std::string path = under(folder, screenshotName(local, copy));
        if (!exists(path)) return path;
    }
    return "";
}

bool pathExists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}
