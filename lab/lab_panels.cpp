#include "lab/lab_panels.h"

#include <cstdio>

namespace {

void startPanel(PanelText& panel, PanelId id) {
    std::snprintf(panel.title, sizeof panel.title, "%s", panelTitle(id));
    panel.rowCount = 0;
    panel.columns = 0;
}

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

// Not composed yet: titles only.
void composeHelpPanel(const HelpFigures&, PanelText& panel) { startPanel(panel, PanelId::Help); }
void composeBallPanel(const Simulation&, int, int, bool, const ContactHistory*, PanelText& panel) {
    startPanel(panel, PanelId::Ball);
}
void composeLegendPanel(int, PanelText& panel) { startPanel(panel, PanelId::Legend); }
void composeDataPanel(const Simulation&, int, int, PanelText& panel) { startPanel(panel, PanelId::Data); }
void composePlots(const LabHistory&, long current, int, PlotData& plots) {
    plots.first = plots.last = -1;
    plots.current = current;
    plots.count = 0;
}
void composeTimeline(const LabHistory&, long current, TimelineBar& bar) {
    bar.first = bar.last = -1;
    bar.current = current;
    bar.markCount = 0;
}
long timelineStepAt(const TimelineBar&, double) { return -1; }
double timelineFraction(const TimelineBar&, long) { return 0.0; }
void composeIndicator(const TimelineFigures&, char* out, std::size_t size) {
    if (size > 0) out[0] = '\0';
}
