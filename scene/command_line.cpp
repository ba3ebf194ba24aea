#include "scene/command_line.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "geometry/scalar_helpers.h"

namespace {

// Leading white space, an optional sign, digits; no digits gives 0 and the
// rest of the word is ignored ("7.9" gives 7). Values beyond int saturate
// instead of overflowing, so they clamp like any other out-of-range value.
int leadingInteger(const char* word) {
    errno = 0;
    const long value = std::strtol(word, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// True when `word` is among the arguments, wherever it stands.
bool given(int argc, char** argv, const char* word) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], word) == 0) return true;
    }
    return false;
}

}  // namespace

int readOptions(Simulation& s, int argc, char** argv) {
    int fullScreen = 0;
    if (argc <= 1) return fullScreen;
    for (int i = 1; i < argc; ++i) {
        const char* word = argv[i];
        // The value word is not skipped: it is examined as an option too.
        // An option with no value after it leaves its setting as it was.
        const char* value = (i + 1 < argc) ? argv[i + 1] : nullptr;
        if (std::strcmp(word, "-f") == 0) {
            fullScreen = 1;
        } else if (std::strcmp(word, "-nr") == 0) {
            if (value) s.ballCount = leadingInteger(value);
        } else if (std::strcmp(word, "-radius") == 0) {
            if (value) s.ballRadius = leadingInteger(value);
        }
    }
    s.ballCount = Clamp(s.ballCount, 1, 45);
    s.ballRadius = Clamp(s.ballRadius, 5, 20);
    return fullScreen;
}

bool helpRequested(int argc, char** argv) { return given(argc, argv, "-h") || given(argc, argv, "--help"); }

bool smoothRequested(int argc, char** argv) { return given(argc, argv, "-smooth"); }

bool labRequested(int argc, char** argv) { return given(argc, argv, "-lab"); }

bool versionRequested(int argc, char** argv) { return given(argc, argv, "--version"); }

bool parseSeed(const char* text, unsigned int& seed) {
    if (text == nullptr) return false;
    while (*text == ' ' || *text == '\t') ++text;
    if (*text == '+') ++text;
    if (*text < '0' || *text > '9') return false;
    unsigned long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + static_cast<unsigned>(*text - '0');
        if (value > UINT_MAX) return false;
    }
    seed = static_cast<unsigned int>(value);
    return true;
}

bool readSeedOption(int argc, char** argv, unsigned int& seed, const char** unusable) {
    bool found = false;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-seed") != 0) continue;
        if (parseSeed(argv[i + 1], seed)) {
            found = true;
        } else if (unusable != nullptr) {
            *unusable = argv[i + 1];
        }
    }
    return found;
}

bool readSessionOptions(int argc, char** argv, SessionFiles& files, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const bool record = std::strcmp(argv[i], "-record") == 0;
        if (!record && std::strcmp(argv[i], "-replay") != 0) continue;
        if (i + 1 >= argc || argv[i + 1][0] == '-' || argv[i + 1][0] == '\0') {
            error = std::string(argv[i]) + " needs a file name";
            return false;
        }
        (record ? files.record : files.replay) = argv[i + 1];
    }
    if (files.record != nullptr && files.replay != nullptr) {
        error = "-record and -replay cannot be used together";
        return false;
    }
    return true;
}
