#include "lab/lab_panels.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "effects/inspect_mode.h"
#include "input/key_table.h"
#include "lab/lab_figures.h"

const LegendEntry kLegendEntries[kLegendEntryCount] = {
    {kLayerVolumes, {0.3f, 1.0f, 0.3f}, "walls, floor, ceiling"},
    {kLayerVolumes, {0.3f, 0.8f, 1.0f}, "pillars"},
    {kLayerVolumes, {1.0f, 0.6f, 1.0f}, "cones, tip zones"},
    {kLayerVolumes, {1.0f, 0.7f, 0.3f}, "domes"},
    {kLayerContacts, {0.6f, 0.35f, 1.0f}, "contacts, normals"},
    {kLayerVelocities, {1.0f, 1.0f, 1.0f}, "velocities"},
    {kLayerVelocities, {0.25f, 0.45f, 1.0f}, "momentum (thick)"},
};

namespace {

void startPanel(PanelText& panel, PanelId id) {
    const char* title = panelTitle(id);
    int at = 0;
    for (; at < static_cast<int>(sizeof panel.title) - 1 && title[at] != '\0'; ++at) panel.title[at] = title[at];
    panel.title[at] = '\0';
    panel.rowCount = 0;
    panel.columns = 0;
}

// A new empty row, or nullptr when the panel is full.
PanelRow* addRow(PanelText& panel) {
    if (panel.rowCount >= kMaxRows) return nullptr;
    PanelRow& row = panel.rows[panel.rowCount++];
    row.cellCount = 0;
    row.marked = false;
    row.header = false;
    row.swatch = false;
    return &row;
}

__attribute__((format(printf, 3, 4))) void addCell(PanelText& panel, PanelRow* row, const char* format, ...) {
    if (row == nullptr || row->cellCount >= kMaxCells) return;
    va_list args;
    va_start(args, format);
    std::vsnprintf(row->cells[row->cellCount++], kCellLength, format, args);
    va_end(args);
    if (row->cellCount > panel.columns) panel.columns = row->cellCount;
}

// A number as "%.*f" would print it, to `decimals` (0 .. 3) places,
// without the C library's formatter: the data table's 400 numbers a frame
// through snprintf would cost half a step. Rounded half away from zero, and
// no "-" on a number that rounds to zero. Numbers beyond 1e15, and ones
// that are not finite, go through snprintf.
void addNumber(PanelText& panel, PanelRow* row, double value, int decimals) {
    static constexpr double kScale[] = {1.0, 10.0, 100.0, 1000.0};
    const double scaled = (value < 0.0 ? -value : value) * kScale[decimals];
    if (!(scaled < 1e15)) {
        addCell(panel, row, "%.*f", decimals, value);
        return;
    }
    if (row == nullptr || row->cellCount >= kMaxCells) return;
    unsigned long long n = static_cast<unsigned long long>(scaled + 0.5);
    const bool negative = value < 0.0 && n != 0;
    char digits[24];  // lowest first
    int length = 0;
    for (int i = 0; i < decimals; ++i) {
        digits[length++] = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    if (decimals > 0) digits[length++] = '.';
    do {
        digits[length++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    char* cell = row->cells[row->cellCount++];
    int at = 0;
    if (negative) cell[at++] = '-';
    while (length > 0) cell[at++] = digits[--length];
    cell[at] = '\0';
    if (row->cellCount > panel.columns) panel.columns = row->cellCount;
}

// A cell of plain text, cut to the cell's length.
void addText(PanelText& panel, PanelRow* row, const char* text) {
    if (row == nullptr || row->cellCount >= kMaxCells) return;
    char* cell = row->cells[row->cellCount++];
    int at = 0;
    while (at < kCellLength - 1 && text[at] != '\0') {
        cell[at] = text[at];
        ++at;
    }
    cell[at] = '\0';
    if (row->cellCount > panel.columns) panel.columns = row->cellCount;
}

PanelRow* addHeader(PanelText& panel, const char* first, const char* second) {
    PanelRow* row = addRow(panel);
    if (row == nullptr) return nullptr;
    row->header = true;
    addText(panel, row, first);
    if (second != nullptr) addText(panel, row, second);
    return row;
}

const char* onOff(int flag) { return flag != 0 ? "on" : "off"; }

const char* contactWithName(int with) {
    switch (with) {
    case kWithWall:
        return "wall";
    case kWithPillar:
        return "pillar";
    case kWithDome:
        return "dome";
    case kWithCone:
        return "cone";
    case kWithShot:
        return "shot";
    default:
        return "ball";
    }
}

bool liveSlot(const Simulation& s, int k) { return k >= 0 && k < kMaxBalls && s.ballAlive[k] != 0; }

}  // namespace

const char* panelTitle(PanelId id) {
    switch (id) {
    case PanelId::Help:
        return "Help";
    case PanelId::Ball:
        return "Ball";
    case PanelId::Legend:
        return "Legend";
    case PanelId::Data:
        return "Data";
    case PanelId::Plot:
        return "Plots";
    }
    return "";
}

const char* seriesName(Series series) {
    switch (series) {
    case Series::Kinetic:
        return "kinetic";
    case Series::Potential:
        return "potential";
    case Series::Total:
        return "total";
    case Series::Contacts:
        return "contacts";
    case Series::SelectedSpeed:
        return "selected speed";
    }
    return "";
}

void composeHelpPanel(const HelpFigures& f, PanelText& panel) {
    startPanel(panel, PanelId::Help);
    addHeader(panel, "Key", "What it does");
    for (int i = 0; i < kKeyLineCount; ++i) {
        PanelRow* row = addRow(panel);
        addText(panel, row, kKeyLines[i].label);
        addText(panel, row, kKeyLines[i].action);
    }
    for (const char* line : kEditHelpLines) addText(panel, addRow(panel), line);
    addHeader(panel, "Figure", "Value");
    PanelRow* row = addRow(panel);
    addText(panel, row, "Balls alive");
    addCell(panel, row, "%d (at most %d)", f.ballsAlive, kMaxBalls);
    row = addRow(panel);
    addText(panel, row, "Shots in flight");
    addCell(panel, row, "%d", f.shotsInFlight);
    row = addRow(panel);
    addText(panel, row, "Time step");
    if (f.activeTimeStep != f.timeStep) {
        addCell(panel, row, "%.2f (slow motion %.3f)", f.timeStep, f.activeTimeStep);
    } else {
        addCell(panel, row, "%.2f", f.timeStep);
    }
    row = addRow(panel);
    addText(panel, row, "Steps/s, frames/s");
    addCell(panel, row, "%.1f, %.1f", f.stepsPerSecond, f.framesPerSecond);
    row = addRow(panel);
    addText(panel, row, "Last step");
    addCell(panel, row, "sub-steps %d, contacts %d", f.subSteps, f.contacts);
    row = addRow(panel);
    addText(panel, row, "Auto fire, throw");
    addCell(panel, row, "%s, %s", onOff(f.autoFire), onOff(f.launchMode));
    row = addRow(panel);
    addText(panel, row, "Sound");
    // F7 cannot make a missing device play, so the panel does not say "on" then.
    addText(panel, row, f.soundDevice == 0 ? "off: no device" : onOff(f.soundOn));
    row = addRow(panel);
    addText(panel, row, "Pause");
    addText(panel, row, onOff(f.paused));
    row = addRow(panel);
    addText(panel, row, "Seed");
    addCell(panel, row, "%u", f.seed);
    const TimelineFigures& t = f.timeline;
    if (t.replaying != 0) {
        row = addRow(panel);
        addText(panel, row, "Replay");
        if (t.replaySpeed > 0) {
            addCell(panel, row, "step %ld of %ld, %dx as fast", t.replayStep, t.replaySteps, 1 << t.replaySpeed);
        } else if (t.replaySpeed < 0) {
            addCell(panel, row, "step %ld of %ld, 1/%d as fast", t.replayStep, t.replaySteps, 1 << -t.replaySpeed);
        } else {
            addCell(panel, row, "step %ld of %ld", t.replayStep, t.replaySteps);
        }
    }
    row = addRow(panel);
    addText(panel, row, "History");
    addCell(panel, row, "%ld steps back, %ld more possible", t.stepsBack, t.stepsReach);
    // Where the scene stands on what Page Up / Page Down can reach.
    const long step = t.replayStep;
    const long last = t.replaying != 0 && t.replaySteps > step + t.stepsBack ? t.replaySteps : step + t.stepsBack;
    row = addRow(panel);
    addText(panel, row, "Timeline");
    addCell(panel, row, "step %ld of %ld..%ld", step, step - t.stepsReach, last);
}

void composeBallPanel(const Simulation& s, int selected, int held, bool inspectMode, const ContactHistory* contacts,
                      PanelText& panel) {
    startPanel(panel, PanelId::Ball);
    if (liveSlot(s, selected)) {
        const Vector3& p = s.ballPositions[selected];
        const Vector3& v = s.ballVelocities[selected];
        PanelRow* row = addRow(panel);
        addText(panel, row, "Ball");
        addCell(panel, row, "%d%s", selected, held == selected ? " (held)" : "");
        row = addRow(panel);
        addText(panel, row, "Position");
        addCell(panel, row, "%.1f %.1f %.1f", p.x, p.y, p.z);
        row = addRow(panel);
        addText(panel, row, "Velocity");
        addCell(panel, row, "%.2f %.2f %.2f", v.x, v.y, v.z);
        row = addRow(panel);
        addText(panel, row, "Speed");
        addCell(panel, row, "%.2f", v.Length());
        // Newest first.
        for (int i = 0; i < kBallContactsKept && contacts != nullptr; ++i) {
            const BallContact& c = contacts->ballContact(selected, i);
            if (c.step == 0) break;
            if (i == 0) {
                row = addHeader(panel, "Step", "With");
                addText(panel, row, "Normal");
                addText(panel, row, "Speed before>after");
            }
            row = addRow(panel);
            addCell(panel, row, "%d", c.step);
            if (c.with == kWithBall) {
                addCell(panel, row, "ball %d", c.other);
            } else {
                addText(panel, row, contactWithName(c.with));
            }
            addCell(panel, row, "%.2f %.2f %.2f", c.normal[0], c.normal[1], c.normal[2]);
            addCell(panel, row, "%.2f>%.2f", c.speedBefore, c.speedAfter);
        }
    } else if (inspectMode) {
        addText(panel, addRow(panel), "No ball selected");
    }
    if (inspectMode) addText(panel, addRow(panel), "Inspect (I): click selects, hold drags");
}

void composeLegendPanel(int layers, PanelText& panel) {
    startPanel(panel, PanelId::Legend);
    for (const LegendEntry& entry : kLegendEntries) {
        if ((layers & entry.layer) == 0) continue;
        PanelRow* row = addRow(panel);
        if (row == nullptr) break;
        row->swatch = true;
        for (int i = 0; i < 3; ++i) row->colour[i] = entry.colour[i];
        addText(panel, row, entry.name);
    }
}

void composeDataPanel(const Simulation& s, int selected, int held, PanelText& panel) {
    startPanel(panel, PanelId::Data);
    // The totals first: what shows whether speed is lost, in view however
    // many balls follow.
    const EnergyTotals totals = energyTotals(s);
    addHeader(panel, "Totals", nullptr);
    const struct {
        const char* name;
        double value;
    } sums[] = {{"Kinetic", totals.kinetic}, {"Potential", totals.potential}, {"Sum", totals.total}};
    PanelRow* row = nullptr;
    for (const auto& sum : sums) {
        row = addRow(panel);
        addText(panel, row, sum.name);
        addNumber(panel, row, sum.value, 2);
    }
    row = addRow(panel);
    addText(panel, row, "Momentum");
    addNumber(panel, row, totals.momentum.x, 2);
    addNumber(panel, row, totals.momentum.y, 2);
    addNumber(panel, row, totals.momentum.z, 2);

    row = addHeader(panel, "Ball", "x");
    for (const char* name : {"y", "z", "vx", "vy", "vz", "speed", "kinetic"}) addText(panel, row, name);
    BallRow balls[kMaxBalls];
    const int count = ballRows(s, selected, held, balls);
    for (int i = 0; i < count; ++i) {
        const BallRow& b = balls[i];
        row = addRow(panel);
        if (row == nullptr) break;
        row->marked = b.selected;
        if (b.held) {
            addCell(panel, row, "%d (held)", b.slot);
        } else {
            addNumber(panel, row, b.slot, 0);
        }
        addNumber(panel, row, b.position.x, 1);
        addNumber(panel, row, b.position.y, 1);
        addNumber(panel, row, b.position.z, 1);
        addNumber(panel, row, b.velocity.x, 2);
        addNumber(panel, row, b.velocity.y, 2);
        addNumber(panel, row, b.velocity.z, 2);
        addNumber(panel, row, b.speed, 2);
        addNumber(panel, row, b.kinetic, 2);
    }
}

namespace {

// Steps first .. first + count - 1 of a ring into `out`: at most two runs.
void copyRange(const float* ring, long first, int count, float* out) {
    const int from = static_cast<int>(first % kLabHistoryCapacity);
    const int head = count < kLabHistoryCapacity - from ? count : kLabHistoryCapacity - from;
    std::memcpy(out, ring + from, static_cast<std::size_t>(head) * sizeof(float));
    std::memcpy(out + head, ring, static_cast<std::size_t>(count - head) * sizeof(float));
}

// The least and greatest of n > 0 values, in four independent lanes so
// that each comparison need not wait for the one before it.
float lesser(float a, float b) { return b < a ? b : a; }
float greater(float a, float b) { return b > a ? b : a; }

void rangeOf(const float* v, int n, float& low, float& high) {
    float l0 = v[0], l1 = v[0], l2 = v[0], l3 = v[0];
    float h0 = v[0], h1 = v[0], h2 = v[0], h3 = v[0];
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        l0 = lesser(l0, v[i]);
        l1 = lesser(l1, v[i + 1]);
        l2 = lesser(l2, v[i + 2]);
        l3 = lesser(l3, v[i + 3]);
        h0 = greater(h0, v[i]);
        h1 = greater(h1, v[i + 1]);
        h2 = greater(h2, v[i + 2]);
        h3 = greater(h3, v[i + 3]);
    }
    for (; i < n; ++i) {
        l0 = lesser(l0, v[i]);
        h0 = greater(h0, v[i]);
    }
    low = lesser(lesser(l0, l1), lesser(l2, l3));
    high = greater(greater(h0, h1), greater(h2, h3));
}

}  // namespace

void composePlots(const LabHistory& history, long current, int selected, PlotData& plots) {
    plots.first = history.firstKept();
    plots.last = history.lastKept();
    plots.current = current;
    plots.count = 0;
    for (int k = 0; k < kSeries; ++k) {
        plots.present[k] = false;
        plots.minimum[k] = 0.0f;
        plots.maximum[k] = 0.0f;
    }
    if (plots.first < 0) return;
    long last = plots.last;
    if (last - plots.first >= kMaxPoints) last = plots.first + kMaxPoints - 1;
    const int count = static_cast<int>(last - plots.first + 1);
    plots.count = count;
    plots.last = last;
    // The kept range holds every step in it: whole runs of the rings.
    const PlottedFigure figures[] = {kPlotKinetic, kPlotPotential, kPlotTotal, kPlotContacts};
    for (int k = 0; k < kPlottedFigures; ++k) {
        float* values = plots.values[k];
        copyRange(history.plottedRing(figures[k]), plots.first, count, values);
        float low = 0.0f;
        float high = 0.0f;
        rangeOf(values, count, low, high);
        plots.present[k] = true;
        plots.minimum[k] = low;
        plots.maximum[k] = high;
    }
    const int k = static_cast<int>(Series::SelectedSpeed);
    if (selected < 0 || selected >= kMaxBalls) {
        std::memset(plots.values[k], 0, static_cast<std::size_t>(count) * sizeof(float));
        return;
    }
    float* speed = plots.values[k];
    copyRange(history.speedRing(selected), plots.first, count, speed);
    // Where the ball was dead (negative) the series shows 0, and the scale
    // is the live steps': the dead ones are lifted above every speed for
    // the least, and the greatest is found before they are.
    float low = 0.0f;
    float high = 0.0f;
    rangeOf(speed, count, low, high);
    plots.present[k] = high >= 0.0f;
    if (!plots.present[k]) {
        std::memset(speed, 0, static_cast<std::size_t>(count) * sizeof(float));
        return;
    }
    if (low < 0.0f) {
        for (int i = 0; i < count; ++i) speed[i] = speed[i] < 0.0f ? high : speed[i];
        rangeOf(speed, count, low, high);
        const float* ring = history.speedRing(selected);
        const int from = static_cast<int>(plots.first % kLabHistoryCapacity);
        for (int i = 0; i < count; ++i) {
            if (ring[(from + i) % kLabHistoryCapacity] < 0.0f) speed[i] = 0.0f;
        }
    }
    plots.minimum[k] = low;
    plots.maximum[k] = high;
}

void composeTimeline(const LabHistory& history, long current, TimelineBar& bar) {
    bar.first = history.firstKept();
    bar.last = history.lastKept();
    bar.current = current;
    bar.markCount = 0;
    if (bar.first < 0) return;
    for (long n = bar.first; n <= bar.last && bar.markCount < kMaxMarks; ++n) {
        const unsigned marks = history.at(n)->marks;
        if (marks == 0) continue;
        bar.markStep[bar.markCount] = n;
        bar.markKind[bar.markCount] = marks;
        ++bar.markCount;
    }
}

long timelineStepAt(const TimelineBar& bar, double fraction) {
    if (bar.first < 0) return -1;
    if (!(fraction > 0.0)) return bar.first;  // a NaN too
    if (fraction >= 1.0) return bar.last;
    return bar.first + static_cast<long>(fraction * static_cast<double>(bar.last - bar.first) + 0.5);
}

double timelineFraction(const TimelineBar& bar, long step) {
    if (bar.first < 0 || bar.last <= bar.first) return 0.0;
    if (step <= bar.first) return 0.0;
    if (step >= bar.last) return 1.0;
    return static_cast<double>(step - bar.first) / static_cast<double>(bar.last - bar.first);
}

int composePath(const LabHistory& history, long current, int slot, int steps, float out[][3]) {
    if (slot < 0 || slot >= kMaxBalls || steps <= 0) return 0;
    long from = current;
    while (current - from + 1 < steps) {
        const StepFigures* f = history.at(from - 1);
        if (f == nullptr || f->alive[slot] == 0) break;
        --from;
    }
    const StepFigures* now = history.at(current);
    if (now == nullptr || now->alive[slot] == 0) return 0;
    int count = 0;
    for (long n = from; n <= current; ++n) {
        const float* p = history.at(n)->position[slot];
        out[count][0] = p[0];
        out[count][1] = p[1];
        out[count][2] = p[2];
        ++count;
    }
    return count;
}

void composeIndicator(const TimelineFigures& t, char* out, std::size_t size) {
    if (size == 0) return;
    out[0] = '\0';
    if (t.recording != 0) {
        std::snprintf(out, size, "REC %s", t.fileName);
    } else if (t.replaying != 0) {
        // "×" in UTF-8: both front ends' fonts have it.
        char speed[16];
        if (t.replaySpeed >= 0) {
            std::snprintf(speed, sizeof speed, "\xC3\x97%d", 1 << t.replaySpeed);
        } else {
            std::snprintf(speed, sizeof speed, "\xC3\x97" "1/%d", 1 << -t.replaySpeed);
        }
        std::snprintf(out, size, "Replay %s, step %ld of %ld, %s", t.fileName, t.replayStep, t.replaySteps, speed);
    }
}
