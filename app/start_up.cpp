#include "app/start_up.h"

#include <cstdio>

#include "app/live_simulation.h"
#include "lab/lab_panels.h"
#include "scene/scene_layout.h"

StartRefusal readStartOptions(int argc, char** argv, const char* environmentSeed, unsigned int clockSeed,
                              StartOptions& options, std::string& warning) {
    StartRefusal refusal;
    warning.clear();
    options.fullScreen = readOptions(sim, argc, argv) != 0;
    options.smooth = smoothRequested(argc, argv);
    options.lab = labRequested(argc, argv);
    if (!readSessionOptions(argc, argv, options.files, refusal.reason)) {
        refusal.status = 2;
        return refusal;
    }
    if (options.files.replay != nullptr) {
        if (!readReplayFile(options.files.replay, options.recording, refusal.reason)) {
            refusal.status = 1;
            refusal.file = options.files.replay;
            return refusal;
        }
        takeRecordedOptions(options.recording.header);
        options.seed = options.recording.header.seed;
        return refusal;
    }
    options.seed = chooseSeed(argc, argv, environmentSeed, clockSeed, warning);
    return refusal;
}

namespace {

// A word that starts with a whole number and still is no seed: a number too large.
bool beginsWithDigits(const char* text) {
    while (*text == ' ' || *text == '\t') ++text;
    if (*text == '+') ++text;
    return *text >= '0' && *text <= '9';
}

}  // namespace

unsigned int chooseSeed(int argc, char** argv, const char* environmentSeed, unsigned int clockSeed,
                        std::string& warning) {
    unsigned int seed = 0;
    const char* unusable = nullptr;
    const char* source = "-seed";
    bool found = readSeedOption(argc, argv, seed, &unusable);
    if (!found && environmentSeed != nullptr && *environmentSeed != '\0') {
        found = parseSeed(environmentSeed, seed);
        if (!found && unusable == nullptr) {
            unusable = environmentSeed;
            source = "VENNALOFT_SEED";
        }
    }
    if (!found) seed = clockSeed;
    warning.clear();
    if (unusable != nullptr) {
        char line[64];
        std::snprintf(line, sizeof line, "; %s %u", found ? "using the seed" : "the clock seeds:", seed);
        warning = std::string(source) + " \"" + unusable + "\" is " +
                  (beginsWithDigits(unusable) ? "too large (at most 4294967295)" : "not a whole number") + line;
    }
    return seed;
}

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// %XX decoded; a '%' without two hex digits after it is kept as it is.
std::string decoded(const std::string& text, bool plusIsSpace) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+' && plusIsSpace) {
            out += ' ';
        } else if (c == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 && hexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::vector<std::string> addressArguments(const std::string& search) {
    std::vector<std::string> words;
    std::size_t at = !search.empty() && search[0] == '?' ? 1 : 0;
    while (at <= search.size()) {
        std::size_t end = search.find('&', at);
        if (end == std::string::npos) end = search.size();
        const std::string pair = search.substr(at, end - at);
        at = end + 1;
        if (pair.empty()) continue;
        const std::size_t equals = pair.find('=');
        const std::string name = decoded(pair.substr(0, equals), false);
        if (name == "replay" || name == "record") continue;
        words.push_back("-" + name);
        if (equals != std::string::npos) words.push_back(decoded(pair.substr(equals + 1), true));
    }
    return words;
}

void layOutSimulation(unsigned int seed) {
    buildSceneGeometry(sim);
    live.viewer.randomSeed = seed;
    seedRandom(sim.random, seed);
    placeBalls(sim);
    drawBallColors(sim);
    clearEffects(sim);
}

void takeViewOptions(const StartOptions& options) {
    live.viewer.smoothMotion = options.smooth ? 1 : 0;
    if (options.lab) live.viewer.labPanels = kLabDataPanel | kLabPlotPanel;
}

void takeRecordedOptions(const ReplayHeader& header) {
    sim.ballCount = header.ballCount;
    sim.ballRadius = header.ballRadius;
}

ReplayHeader headerOfScene() {
    ReplayHeader header;
    header.seed = live.viewer.randomSeed;
    header.ballCount = sim.ballCount;
    header.ballRadius = sim.ballRadius;
    return header;
}
