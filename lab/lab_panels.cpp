#include "lab/lab_panels.h"

#include <cstdarg>
#include <cstdio>
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
};

namespace {

void startPanel(PanelText& panel, PanelId id) {
    std::snprintf(panel.title, sizeof panel.title, "%s", panelTitle(id));
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

PanelRow* addHeader(PanelText& panel, const char* first, const char* second) {
    PanelRow* row = addRow(panel);
    if (row == nullptr) return nullptr;
    row->header = true;
    addCell(panel, row, "%s", first);
    if (second != nullptr) addCell(panel, row, "%s", second);
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
        addCell(panel, row, "%s", kKeyLines[i].label);
        addCell(panel, row, "%s", kKeyLines[i].action);
    }
    addHeader(panel, "Figure", "Value");
    PanelRow* row = addRow(panel);
    addCell(panel, row, "Balls alive");
    addCell(panel, row, "%d (at most %d)", f.ballsAlive, kMaxBalls);
    row = addRow(panel);
    addCell(panel, row, "Shots in flight");
    addCell(panel, row, "%d", f.shotsInFlight);
    row = addRow(panel);
    addCell(panel, row, "Time step");
    if (f.activeTimeStep != f.timeStep) {
        addCell(panel, row, "%.2f (slow motion %.3f)", f.timeStep, f.activeTimeStep);
    } else {
        addCell(panel, row, "%.2f", f.timeStep);
    }
    row = addRow(panel);
    addCell(panel, row, "Steps/s, frames/s");
    addCell(panel, row, "%.1f, %.1f", f.stepsPerSecond, f.framesPerSecond);
    row = addRow(panel);
    addCell(panel, row, "Last step");
    addCell(panel, row, "sub-steps %d, contacts %d", f.subSteps, f.contacts);
    row = addRow(panel);
    addCell(panel, row, "Auto fire, throw");
    addCell(panel, row, "%s, %s", onOff(f.autoFire), onOff(f.launchMode));
    row = addRow(panel);
    addCell(panel, row, "Sound");
    // F7 cannot make a missing device play, so the panel does not say "on" then.
    addCell(panel, row, "%s", f.soundDevice == 0 ? "off: no device" : onOff(f.soundOn));
    row = addRow(panel);
    addCell(panel, row, "Pause");
    addCell(panel, row, "%s", onOff(f.paused));
    row = addRow(panel);
    addCell(panel, row, "Seed");
    addCell(panel, row, "%u", f.seed);
    const TimelineFigures& t = f.timeline;
    if (t.replaying != 0) {
        row = addRow(panel);
        addCell(panel, row, "Replay");
        if (t.replaySpeed > 0) {
            addCell(panel, row, "step %ld of %ld, %dx as fast", t.replayStep, t.replaySteps, 1 << t.replaySpeed);
        } else if (t.replaySpeed < 0) {
            addCell(panel, row, "step %ld of %ld, 1/%d as fast", t.replayStep, t.replaySteps, 1 << -t.replaySpeed);
        } else {
            addCell(panel, row, "step %ld of %ld", t.replayStep, t.replaySteps);
        }
    }
    row = addRow(panel);
    addCell(panel, row, "History");
    addCell(panel, row, "%ld steps back, %ld more possible", t.stepsBack, t.stepsReach);
    // Where the scene stands on what Page Up / Page Down can reach.
    const long step = t.replayStep;
    const long last = t.replaying != 0 && t.replaySteps > step + t.stepsBack ? t.replaySteps : step + t.stepsBack;
    row = addRow(panel);
    addCell(panel, row, "Timeline");
    addCell(panel, row, "step %ld of %ld..%ld", step, step - t.stepsReach, last);
}

void composeBallPanel(const Simulation& s, int selected, int held, bool inspectMode, const ContactHistory* contacts,
                      PanelText& panel) {
    startPanel(panel, PanelId::Ball);
    if (liveSlot(s, selected)) {
        const Vector3& p = s.ballPositions[selected];
        const Vector3& v = s.ballVelocities[selected];
        PanelRow* row = addRow(panel);
        addCell(panel, row, "Ball");
        addCell(panel, row, "%d%s", selected, held == selected ? " (held)" : "");
        row = addRow(panel);
        addCell(panel, row, "Position");
        addCell(panel, row, "%.1f %.1f %.1f", p.x, p.y, p.z);
        row = addRow(panel);
        addCell(panel, row, "Velocity");
        addCell(panel, row, "%.2f %.2f %.2f", v.x, v.y, v.z);
        row = addRow(panel);
        addCell(panel, row, "Speed");
        addCell(panel, row, "%.2f", v.Length());
        // Newest first.
        for (int i = 0; i < kBallContactsKept && contacts != nullptr; ++i) {
            const BallContact& c = contacts->ballContact(selected, i);
            if (c.step == 0) break;
            if (i == 0) {
                row = addHeader(panel, "Step", "With");
                addCell(panel, row, "Normal");
                addCell(panel, row, "Speed before>after");
            }
            row = addRow(panel);
            addCell(panel, row, "%d", c.step);
            if (c.with == kWithBall) {
                addCell(panel, row, "ball %d", c.other);
            } else {
                addCell(panel, row, "%s", contactWithName(c.with));
            }
            addCell(panel, row, "%.2f %.2f %.2f", c.normal[0], c.normal[1], c.normal[2]);
            addCell(panel, row, "%.2f>%.2f", c.speedBefore, c.speedAfter);
        }
    } else if (inspectMode) {
        addCell(panel, addRow(panel), "No ball selected");
    }
    if (inspectMode) addCell(panel, addRow(panel), "Inspect (I): click selects, hold drags");
}

void composeLegendPanel(int layers, PanelText& panel) {
    startPanel(panel, PanelId::Legend);
    for (const LegendEntry& entry : kLegendEntries) {
        if ((layers & entry.layer) == 0) continue;
        PanelRow* row = addRow(panel);
        if (row == nullptr) break;
        row->swatch = true;
        for (int i = 0; i < 3; ++i) row->colour[i] = entry.colour[i];
        addCell(panel, row, "%s", entry.name);
    }
}

void composeDataPanel(const Simulation& s, int selected, int held, PanelText& panel) {
    startPanel(panel, PanelId::Data);
    PanelRow* row = addHeader(panel, "Ball", "x");
    for (const char* name : {"y", "z", "vx", "vy", "vz", "speed", "kinetic"}) addCell(panel, row, "%s", name);
    BallRow balls[kMaxBalls];
    const int count = ballRows(s, selected, held, balls);
    for (int i = 0; i < count; ++i) {
        const BallRow& b = balls[i];
        row = addRow(panel);
        if (row == nullptr) break;
        row->marked = b.selected;
        addCell(panel, row, "%d%s", b.slot, b.held ? " (held)" : "");
        addCell(panel, row, "%.1f", b.position.x);
        addCell(panel, row, "%.1f", b.position.y);
        addCell(panel, row, "%.1f", b.position.z);
        addCell(panel, row, "%.2f", b.velocity.x);
        addCell(panel, row, "%.2f", b.velocity.y);
        addCell(panel, row, "%.2f", b.velocity.z);
        addCell(panel, row, "%.2f", b.speed);
        addCell(panel, row, "%.2f", b.kinetic);
    }
    const EnergyTotals totals = energyTotals(s);
    addHeader(panel, "Totals", nullptr);
    const struct {
        const char* name;
        double value;
    } sums[] = {{"Kinetic", totals.kinetic}, {"Potential", totals.potential}, {"Sum", totals.total}};
    for (const auto& sum : sums) {
        row = addRow(panel);
        addCell(panel, row, "%s", sum.name);
        addCell(panel, row, "%.2f", sum.value);
    }
    row = addRow(panel);
    addCell(panel, row, "Momentum");
    addCell(panel, row, "%.2f", totals.momentum.x);
    addCell(panel, row, "%.2f", totals.momentum.y);
    addCell(panel, row, "%.2f", totals.momentum.z);
}

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
    const bool ballChosen = selected >= 0 && selected < kMaxBalls;
    bool seen[kSeries] = {};
    for (long n = plots.first; n <= plots.last && plots.count < kMaxPoints; ++n) {
        const StepFigures* f = history.at(n);
        if (f == nullptr) break;
        const int i = plots.count++;
        const bool alive = ballChosen && f->alive[selected] != 0;
        const float values[kSeries] = {f->kinetic, f->potential, f->total, static_cast<float>(f->contacts),
                                       alive ? f->speed[selected] : 0.0f};
        for (int k = 0; k < kSeries; ++k) {
            plots.values[k][i] = values[k];
            // A dead selected ball's steps do not stretch its scale.
            if (k == static_cast<int>(Series::SelectedSpeed) && !alive) continue;
            if (!seen[k] || values[k] < plots.minimum[k]) plots.minimum[k] = values[k];
            if (!seen[k] || values[k] > plots.maximum[k]) plots.maximum[k] = values[k];
            seen[k] = true;
        }
    }
    plots.last = plots.first + plots.count - 1;
    for (int k = 0; k < kSeries; ++k) plots.present[k] = seen[k];
}

void composeTimeline(const LabHistory& history, long current, TimelineBar& bar) {
    bar.first = history.firstKept();
    bar.last = history.lastKept();
    bar.current = current;
    bar.markCount = 0;
    if (bar.first < 0) return;
    for (long n = bar.first; n <= bar.last; ++n) {
        const StepFigures* f = history.at(n);
        if (f == nullptr || f->marks == 0 || bar.markCount >= kMaxMarks) continue;
        bar.markStep[bar.markCount] = n;
        bar.markKind[bar.markCount] = f->marks;
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
