#pragma once

// The one description of each panel, which the desktop and the page only
// lay out: titles, rows of cells (a table for both), plot series and the
// timeline, composed into fixed buffers (nothing is allocated per frame).
// Views only: they read the simulation and the kept history, never write.

#include <cstddef>

#include "effects/contact_log.h"
#include "effects/view_state.h"
#include "input/help_text.h"
#include "lab/lab_history.h"
#include "scene/simulation.h"

enum class PanelId { Help, Ball, Legend, Data, Plot };
constexpr int kPanelCount = 5;
// "Help", "Ball", "Legend", "Data", "Plots".
const char* panelTitle(PanelId id);

// Which of the lab's own panels are open, as bits of ViewerState::labPanels.
constexpr int kLabDataPanel = 1;
constexpr int kLabPlotPanel = 2;

constexpr int kMaxCells = 10;
constexpr int kCellLength = 56;
constexpr int kMaxRows = 64;

struct PanelRow {
    char cells[kMaxCells][kCellLength];
    int cellCount = 0;
    bool marked = false;  // the selected ball's row
    bool header = false;  // column names
    bool swatch = false;  // colour shows a swatch before the first cell
    float colour[3] = {};
};

struct PanelText {
    char title[32] = {};
    PanelRow rows[kMaxRows];
    int rowCount = 0;
    int columns = 0;  // the widest row's cell count
};

// Help (H): the keys as "key | what it does" rows, then the figures as
// "figure | value" rows, each part under a header row.
void composeHelpPanel(const HelpFigures& figures, PanelText& panel);

// The selected ball: position, velocity, speed as "name | value" rows, then
// its last contacts under a header row "step | with | normal | speed
// before>after"; "No ball selected" without one; the inspect hint in
// inspect mode. No rows at all when nothing is selected and inspect is off.
void composeBallPanel(const Simulation& s, int selected, int held, bool inspectMode, const ContactHistory* contacts,
                      PanelText& panel);

// What the collision view draws in which colour, by layer (kLayerVolumes,
// kLayerContacts, kLayerVelocities).
struct LegendEntry {
    int layer;
    float colour[3];
    const char* name;
};
// The entries in order; the collision view draws in these colours.
enum LegendItem : int {
    kLegendWalls,
    kLegendPillars,
    kLegendCones,
    kLegendDomes,
    kLegendContacts,
    kLegendVelocities,
    kLegendMomentum,
    kLegendEntryCount
};
extern const LegendEntry kLegendEntries[kLegendEntryCount];

// The legend for the layers shown: one row per entry, its colour as the
// swatch.
void composeLegendPanel(int layers, PanelText& panel);

// The totals under a header row, as "name | value" rows: kinetic,
// potential, sum, momentum x y z; then a header row and one row per live
// ball (slot, x, y, z, vx, vy, vz, speed, kinetic; the selected one marked).
void composeDataPanel(const Simulation& s, int selected, int held, PanelText& panel);

enum class Series { Kinetic, Potential, Total, Contacts, SelectedSpeed };
constexpr int kSeries = 5;
constexpr int kMaxPoints = kLabHistoryCapacity;
// "kinetic", "potential", "total", "contacts", "selected speed".
const char* seriesName(Series series);

// The kept range's series, point i being step first + i; present[k] is
// false for a series with nothing to show (the selected speed without a
// selected ball, or where it was dead throughout). A missing value (the
// selected ball dead at a step) is 0.
struct PlotData {
    long first = -1;
    long last = -1;
    long current = -1;  // the cursor
    int count = 0;
    float values[kSeries][kMaxPoints];
    float minimum[kSeries] = {};
    float maximum[kSeries] = {};
    bool present[kSeries] = {};
};
void composePlots(const LabHistory& history, long current, int selected, PlotData& plots);

// The bar under the plots: the kept range, the current step and a mark per
// step whose group of records had one (kind: its kMark... bits).
constexpr int kMaxMarks = kLabHistoryCapacity;
struct TimelineBar {
    long first = -1;
    long last = -1;
    long current = -1;
    int markCount = 0;
    long markStep[kMaxMarks];
    unsigned markKind[kMaxMarks];
};
void composeTimeline(const LabHistory& history, long current, TimelineBar& bar);
// The step a click at `fraction` (0 at the left end, 1 at the right) of the
// bar means, rounded to the nearest and clamped to the range; the front
// ends hand it to the session's jump. -1 for an empty bar.
long timelineStepAt(const TimelineBar& bar, double fraction);
// Where step `step` sits on the bar, 0 .. 1 (0 for an empty or one-step bar).
double timelineFraction(const TimelineBar& bar, long step);

// A ball's path: where ball `slot` was after each of the last `steps`
// kept steps up to `current`, oldest first, ending at `current`; it starts
// after a step where the ball was dead or not kept. Returns the number of
// points written to `out` (at most `steps`).
int composePath(const LabHistory& history, long current, int slot, int steps, float out[][3]);

// The corner line for a recording or a replay: "REC name" while recording,
// "Replay name, step N of M, ×speed" while one plays (speed "×1", "×2",
// "×1/2" ...), empty otherwise. `out` always ends in a 0.
void composeIndicator(const TimelineFigures& timeline, char* out, std::size_t size);
