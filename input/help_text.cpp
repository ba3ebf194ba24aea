#include "input/help_text.h"

#include <cstdarg>

#include "input/key_table.h"
#include "platform/clock.h"

namespace {

const char* onOff(int flag) { return flag != 0 ? "on" : "off"; }

// F7 cannot make a missing device play, so the panel does not say "on" then.
const char* soundState(const HelpFigures& f) {
    if (f.soundDevice == 0) return "off: no device";
    return onOff(f.soundOn);
}

__attribute__((format(printf, 2, 3))) void addLine(HelpPanel& panel, const char* format, ...) {
    if (panel.count >= HelpPanel::kMaxLines) return;
    va_list args;
    va_start(args, format);
    std::vsnprintf(panel.lines[panel.count], HelpPanel::kLineLength, format, args);
    va_end(args);
    ++panel.count;
}

}  // namespace

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

void composeHelpPanel(const HelpFigures& f, HelpPanel& panel) {
    panel.count = 0;
    addLine(panel, "Keys and mouse");
    for (int i = 0; i < kKeyLineCount; ++i) addLine(panel, "%-13s %s", kKeyLines[i].label, kKeyLines[i].action);
    for (const char* line : kEditHelpLines) addLine(panel, "%s", line);
    addLine(panel, "%s", "");
    addLine(panel, "Balls alive %d (at most 45), shots in flight %d", f.ballsAlive, f.shotsInFlight);
    if (f.activeTimeStep != f.timeStep) {
        addLine(panel, "Time step %.2f (slow motion %.3f)", f.timeStep, f.activeTimeStep);
    } else {
        addLine(panel, "Time step %.2f", f.timeStep);
    }
    addLine(panel, "Steps/s %.1f, frames/s %.1f", f.stepsPerSecond, f.framesPerSecond);
    addLine(panel, "Last step: sub-steps %d, contacts %d", f.subSteps, f.contacts);
    addLine(panel, "Auto fire %s, throw %s, sound %s, pause %s", onOff(f.autoFire), onOff(f.launchMode),
            soundState(f), onOff(f.paused));
    addLine(panel, "Seed %u", f.seed);
    const TimelineFigures& t = f.timeline;
    if (t.replaying != 0) {
        if (t.replaySpeed > 0) {
            addLine(panel, "Replay: step %ld of %ld, %dx as fast", t.replayStep, t.replaySteps, 1 << t.replaySpeed);
        } else if (t.replaySpeed < 0) {
            addLine(panel, "Replay: step %ld of %ld, 1/%d as fast", t.replayStep, t.replaySteps, 1 << -t.replaySpeed);
        } else {
            addLine(panel, "Replay: step %ld of %ld", t.replayStep, t.replaySteps);
        }
    }
    addLine(panel, "History: %ld steps back, %ld more possible", t.stepsBack, t.stepsReach);
    // Where the scene stands on what Page Up / Page Down can reach.
    const long step = t.replayStep;
    const long last = t.replaying != 0 && t.replaySteps > step + t.stepsBack ? t.replaySteps : step + t.stepsBack;
    addLine(panel, "Timeline: step %ld of %ld..%ld", step, step - t.stepsReach, last);
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
