#include "input/help_text.h"


#include "input/key_table.h"
#include "platform/clock.h"

void printHelp(std::FILE* out) {
    std::fputs(
        "Usage: vennaloft [-f] [-nr N] [-radius N] [-seed N] [-smooth] [-lab] [-record FILE | -replay FILE]\n"
        "                 [-h | --help] [--version]\n"
        "\n"
        "Balls bounce through a room of pillars, cones and domes.\n"
        "\n"
        "Options:\n"
        "  -f           full screen\n"
        "  -nr N        number of balls, 1..45 (default 5)\n"
        "  -radius N    ball radius, 5..20 (default 20)\n"
        "  -seed N      random seed; wins over VENNALOFT_SEED (default: the clock)\n"
        "  -smooth      smooth motion: frames between the steps (M toggles it)\n"
        "  -lab         open the data table and the plots at start\n"
        "  -record FILE write the session to FILE, to be replayed exactly\n"
        "  -replay FILE play a recorded session (its balls, radius and seed win)\n"
        "  -h, --help   print this text and exit\n"
        "  --version    print the version and exit\n"
        "\n"
        "Controls:\n",
        out);
    for (int i = 0; i < kKeyLineCount; ++i) std::fprintf(out, "  %-13s %s\n", kKeyLines[i].label, kKeyLines[i].action);
    for (const char* line : kEditHelpLines) std::fprintf(out, "  %s\n", line);
    std::fputs(
        "\nKeys go to the window with the keyboard focus (under a bare X server: the\n"
        "window under the pointer). When the pointer leaves the window, or another\n"
        "window takes the keyboard focus, held keys and buttons count as let go.\n"
        "The textures and sound cues are read from the working directory.\n"
        "vl_replay FILE checks a recording without a window.\n",
        out);
}

void writeKeyLines(std::string& out) {
    char line[160];
    for (int i = 0; i < kKeyLineCount; ++i) {
        std::snprintf(line, sizeof line, "%-13s %s\n", kKeyLines[i].label, kKeyLines[i].action);
        out += line;
    }
    for (const char* edit : kEditHelpLines) {
        out += edit;
        out += '\n';
    }
}

void RateMeter::note(int now, long count) {
    if (!started) {
        started = true;
        windowStart = now;
        countAtStart = count;
        return;
    }
    if (count < countAtStart) {
        // Stepped back: steps undone are not steps run, so the window starts
        // again from here rather than counting backwards.
        windowStart = now;
        countAtStart = count;
        return;
    }
    const long long span = millisecondsBetween(windowStart, now);
    if (span < 1000) return;
    rate = static_cast<double>(count - countAtStart) * 1000.0 / static_cast<double>(span);
    windowStart = now;
    countAtStart = count;
}
