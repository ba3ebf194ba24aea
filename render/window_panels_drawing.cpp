#include "render/window_panels_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include <GL/freeglut.h>
#include <imgui.h>
#include <imgui_impl_glut.h>
#include <imgui_impl_opengl2.h>

#include <GL/glu.h>

#include "effects/panel_layout.h"
#include "lab/lab_panels.h"
#include "render/graphics_setup.h"
#include "render/path_drawing.h"
#include "render/value_label_drawing.h"
#include "render/window_overlay.h"

namespace {

constexpr int kButtons = 3;  // left, middle, right, as ImGui counts them
constexpr int kSpecialKeys = 256;
const char* const kTitles[kPanelSlots] = {"##indicator", "Help (H)", "Ball (I)", "Legend (V)", "Data (D)",
                                          "Plots (T)", "Timeline (T)"};

struct PanelsState {
    bool started = false;
    bool report = false;
    ImFont* fonts[2] = {};
    bool shownBefore = false;
    // What the last layout was made for: a change in any lays out again.
    float laidOutWidth = 0.0f;
    float laidOutHeight = 0.0f;
    ImFont* laidOutFont = nullptr;
    bool openBefore[kPanelSlots] = {};
    float wishedWidth[kPanelSlots] = {};
    float wishedHeight[kPanelSlots] = {};
    // Where each panel was put, and whether the user has moved it since:
    // a moved panel stays where it is until the window's size changes.
    PanelRect placed[kPanelSlots];
    bool moved[kPanelSlots] = {};
    // Where each panel was drawn in the last frame, for the pointer.
    bool seenOpen[kPanelSlots] = {};
    PanelRect seen[kPanelSlots];
    // Presses the panels took, so that their releases go there too; and a
    // release that came before any frame saw its press, held for a frame
    // so that a quick click is not lost.
    bool pressTaken[kButtons] = {};
    bool pressUnseen[kButtons] = {};
    bool releaseOwed[kButtons] = {};
    // The same for keys (letters, then the toolkit's special keys): Enter
    // pressed and let go between two frames still reaches a field.
    bool keyUnseen[256 + kSpecialKeys] = {};
    bool keyUpOwed[256 + kSpecialKeys] = {};
    // Frames the panels still need after input to settle, paused or not.
    int framesOwed = 0;
    char reported[512] = {};
    // This frame's texts, in fixed buffers: composed once for measuring
    // and drawing.
    PanelText texts[kPanelSlots];
    PlotData plots;
    TimelineBar bar;
    char indicator[160] = {};
    // When the data table and the plots were last composed, and for which
    // selection: see composedAgain.
    bool composed[2] = {};
    int composedAt[2] = {};
    int composedFor[2] = {};
};

PanelsState panels;

// Running, the data table and the plots are made again four times a
// second: figures that change twenty times a second cannot be read anyway,
// and making them every frame costs more than a fiftieth of a step.
// Paused (where B, a jump or an edit change the scene without a step), or
// for another selection, at once.
constexpr int kRunningComposeMilliseconds = 250;
bool composedAgain(const PanelFigures& f, int which) {
    const int selection = f.viewer->selectedBall * 2 + (f.viewer->heldBall >= 0 ? 1 : 0);
    if (panels.composed[which] && f.help.paused == 0 && panels.composedFor[which] == selection &&
        f.now - panels.composedAt[which] < kRunningComposeMilliseconds) {
        return false;
    }
    panels.composed[which] = true;
    panels.composedAt[which] = f.now;
    panels.composedFor[which] = selection;
    return true;
}


int imguiButton(int button) {
    if (button == GLUT_LEFT_BUTTON) return 0;
    if (button == GLUT_RIGHT_BUTTON) return 1;
    if (button == GLUT_MIDDLE_BUTTON) return 2;
    return -1;
}


bool selectionShown(const Simulation& s, const ViewerState& viewer) {
    const int k = viewer.selectedBall;
    return k >= 0 && k < kMaxBalls && s.ballAlive[k] != 0;
}

int slot(PanelSlot id) { return static_cast<int>(id); }

void whichOpen(const PanelFigures& f, bool* open) {
    const ViewerState& viewer = *f.viewer;
    open[slot(PanelSlot::Indicator)] = panels.indicator[0] != '\0';
    open[slot(PanelSlot::Help)] = viewer.helpOverlay != 0;
    open[slot(PanelSlot::Ball)] = selectionShown(*f.simulation, viewer) || viewer.inspectMode != 0;
    open[slot(PanelSlot::Legend)] = viewer.collisionView != 0;
    open[slot(PanelSlot::Data)] = (viewer.labPanels & kLabDataPanel) != 0;
    open[slot(PanelSlot::Plots)] = (viewer.labPanels & kLabPlotPanel) != 0;
    open[slot(PanelSlot::Timeline)] = (viewer.labPanels & kLabPlotPanel) != 0;
}

bool anyOpen(const bool* open) {
    for (int k = 0; k < kPanelSlots; ++k) {
        if (open[k]) return true;
    }
    return false;
}

bool pointerOverPanel(int x, int y) {
    for (int k = 0; k < kPanelSlots; ++k) {
        const PanelRect& r = panels.seen[k];
        if (panels.seenOpen[k] && x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height) return true;
    }
    return false;
}

// The larger font in a large window: about one and a half times the size.
ImFont* fontFor(int width, int height) {
    return width >= 1280 && height >= 900 ? panels.fonts[1] : panels.fonts[0];
}

void composeText(const PanelFigures& f, PanelSlot id, PanelText& text) {
    const ViewerState& viewer = *f.viewer;
    switch (id) {
    case PanelSlot::Help:
        composeHelpPanel(f.help, text);
        break;
    case PanelSlot::Ball:
        composeBallPanel(*f.simulation, viewer.selectedBall, viewer.heldBall, viewer.inspectMode != 0, f.contacts,
                         text);
        break;
    case PanelSlot::Legend:
        composeLegendPanel(viewer.collisionLayers, text);
        break;
    default:
        composeDataPanel(*f.simulation, viewer.selectedBall, viewer.heldBall, text);
        break;
    }
}

// Each column as wide as its widest cell; a row of one cell (a hint, "No
// ball selected") runs across the columns and widens none. The table's
// size: the columns, or the widest such row, and one line per row.
ImVec2 columnWidths(const PanelText& text, float* widths) {
    const ImGuiStyle& style = ImGui::GetStyle();
    for (int c = 0; c < kMaxCells; ++c) widths[c] = 0.0f;
    float across = 0.0f;
    for (int i = 0; i < text.rowCount; ++i) {
        const PanelRow& row = text.rows[i];
        for (int c = 0; c < row.cellCount; ++c) {
            float w = ImGui::CalcTextSize(row.cells[c]).x;
            if (c == 0 && row.swatch) w += ImGui::GetTextLineHeight() + style.ItemSpacing.x;
            if (row.cellCount == 1 && text.columns > 1) {
                across = std::max(across, w + 2.0f * style.CellPadding.x);
            } else {
                widths[c] = std::max(widths[c], w);
            }
        }
    }
    float width = 0.0f;
    for (int c = 0; c < text.columns; ++c) width += widths[c] + 2.0f * style.CellPadding.x;
    const float line = ImGui::GetTextLineHeight() + 2.0f * style.CellPadding.y;
    return ImVec2(std::max(width, across), text.rowCount * line);
}

// What each panel would like at the current font, for the layout: the
// size of its table now, so that it covers no more of the room than it needs.
void measure(const PanelFigures& f, const bool* open, PanelLayoutRequest& request) {
    const ImGuiStyle& style = ImGui::GetStyle();
    const float line = ImGui::GetTextLineHeightWithSpacing();
    const float ch = ImGui::CalcTextSize("0").x;
    const float title = ImGui::GetFrameHeight();
    const float padX = 2.0f * style.WindowPadding.x + style.ScrollbarSize;
    const float padY = 2.0f * style.WindowPadding.y;
    const auto wish = [&](PanelSlot id, float width, float height) {
        request.wantedWidth[slot(id)] = width;
        request.wantedHeight[slot(id)] = height;
    };
    // In steps of ten characters, so that a replay's counting does not move it.
    const int indicatorLength = (static_cast<int>(std::strlen(panels.indicator)) + 9) / 10 * 10;
    wish(PanelSlot::Indicator, indicatorLength * ch + 2.0f * style.WindowPadding.x, line + padY);
    for (PanelSlot id : {PanelSlot::Help, PanelSlot::Ball, PanelSlot::Legend, PanelSlot::Data}) {
        if (!open[slot(id)]) {
            if (id == PanelSlot::Data) panels.composed[0] = false;
            continue;
        }
        if (id != PanelSlot::Data || composedAgain(f, 0)) composeText(f, id, panels.texts[slot(id)]);
        float widths[kMaxCells];
        const ImVec2 size = columnWidths(panels.texts[slot(id)], widths);
        // The tables that scroll themselves keep room for their scroll bar;
        // the ball panel for its two fields.
        float extra = id == PanelSlot::Help ? 0.0f : style.ScrollbarSize;
        if (id == PanelSlot::Ball && selectionShown(*f.simulation, *f.viewer)) {
            extra += 2.0f * ImGui::GetFrameHeightWithSpacing() + style.ItemSpacing.y;
        }
        wish(id, size.x + padX, title + padY + size.y + extra);
    }
    // A plot a few lines tall per series, the bar and its key below.
    int series = 0;
    for (int k = 0; k < kSeries; ++k) series += panels.plots.present[k] ? 1 : 0;
    wish(PanelSlot::Plots, request.windowWidth, title + padY + std::max(1, series) * (2.5f * line + style.ItemSpacing.y));
    wish(PanelSlot::Timeline, request.windowWidth, title + padY + 2.5f * line + style.ItemSpacing.y);
}

// Places the panel where the layout says when the layout was made again
// (a resize, a panel opened or closed or wishing another size); between,
// the user may move it.
bool beginPanel(PanelSlot id, const PanelLayout& layout, bool place, ImGuiWindowFlags flags) {
    const PanelRect& r = layout[id];
    const int k = slot(id);
    if (place && !panels.moved[k]) {
        panels.placed[k] = r;
        ImGui::SetNextWindowPos(ImVec2(r.x, r.y), ImGuiCond_Always);
        ImGui::SetNextWindowSize(ImVec2(r.width, r.height), ImGuiCond_Always);
    }
    return ImGui::Begin(kTitles[k], nullptr, flags | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoFocusOnAppearing);
}

void endPanel(PanelSlot id) {
    const ImVec2 pos = ImGui::GetWindowPos();
    const ImVec2 size = ImGui::GetWindowSize();
    const int k = slot(id);
    panels.seenOpen[k] = true;
    panels.seen[k] = {pos.x, pos.y, size.x, size.y};
    // ImGui keeps windows on whole pixels.
    if (std::fabs(pos.x - panels.placed[k].x) > 1.0f || std::fabs(pos.y - panels.placed[k].y) > 1.0f) {
        panels.moved[k] = true;
    }
    ImGui::End();
}

// A panel's rows as one table: header rows as ImGui's headers, the marked
// row lit, a swatch before a row's first cell. With `wrapLast` the last
// column takes the room left and wraps (help's descriptions).
void panelTable(const PanelText& text, bool wrapLast, float roomBelow) {
    if (text.rowCount == 0 || text.columns == 0) return;
    float widths[kMaxCells];
    columnWidths(text, widths);
    if (wrapLast && ImGui::GetContentRegionAvail().x < widths[0] + 20.0f * ImGui::CalcTextSize("0").x) {
        // Too narrow for a column of descriptions beside the keys (a small
        // window): one wrapped line per row, the first cell lit.
        for (int i = 0; i < text.rowCount; ++i) {
            const PanelRow& row = text.rows[i];
            if (row.header) {
                ImGui::Separator();
                continue;
            }
            ImGui::TextColored(ImGui::GetStyleColorVec4(ImGuiCol_PlotLinesHovered), "%s", row.cells[0]);
            for (int c = 1; c < row.cellCount; ++c) {
                ImGui::SameLine();
                ImGui::TextWrapped("%s", row.cells[c]);
            }
        }
        return;
    }
    // Otherwise the columns keep their widths and the table scrolls in both
    // directions, its header row staying in view.
    // No clipping per column: a row's lone cell runs on over the others
    // (the cells of the other rows fit their columns).
    const ImGuiTableFlags flags = ImGuiTableFlags_RowBg | ImGuiTableFlags_NoClip |
                                  (wrapLast ? 0 : ImGuiTableFlags_ScrollX | ImGuiTableFlags_ScrollY);
    // A scrolling table fills the window but for `roomBelow`.
    const ImVec2 outer(0.0f, wrapLast || roomBelow <= 0.0f ? 0.0f : -roomBelow);
    if (!ImGui::BeginTable("rows", text.columns, flags, outer)) return;
    if (!wrapLast && text.rows[0].header) ImGui::TableSetupScrollFreeze(0, 1);
    for (int c = 0; c < text.columns; ++c) {
        if (wrapLast && c == text.columns - 1) {
            ImGui::TableSetupColumn(nullptr, ImGuiTableColumnFlags_WidthStretch);
        } else {
            ImGui::TableSetupColumn(nullptr, ImGuiTableColumnFlags_WidthFixed, widths[c]);
        }
    }
    const float side = ImGui::GetTextLineHeight();
    for (int i = 0; i < text.rowCount; ++i) {
        const PanelRow& row = text.rows[i];
        ImGui::TableNextRow(row.header ? ImGuiTableRowFlags_Headers : 0);
        if (row.marked) ImGui::TableSetBgColor(ImGuiTableBgTarget_RowBg1, ImGui::GetColorU32(ImGuiCol_HeaderActive));
        for (int c = 0; c < row.cellCount; ++c) {
            ImGui::TableNextColumn();
            if (c == 0 && row.swatch) {
                const ImVec2 at = ImGui::GetCursorScreenPos();
                ImGui::GetWindowDrawList()->AddRectFilled(
                    at, ImVec2(at.x + side, at.y + side),
                    ImGui::GetColorU32(ImVec4(row.colour[0], row.colour[1], row.colour[2], 1.0f)));
                ImGui::Dummy(ImVec2(side, side));
                ImGui::SameLine();
            }
            if (row.header) {
                ImGui::TableHeader(row.cells[c]);
            } else if (wrapLast && c == text.columns - 1) {
                ImGui::TextWrapped("%s", row.cells[c]);
            } else {
                ImGui::TextUnformatted(row.cells[c]);
            }
        }
    }
    ImGui::EndTable();
}

// Where a press on the area just drawn lies, 0 .. 1 across it, while the
// press lasts; -1 otherwise. An invisible button over it, so that the
// press does not move the window.
double pressedFraction(const char* id, ImVec2 min, ImVec2 max, float inset) {
    ImGui::SetCursorScreenPos(min);
    ImGui::InvisibleButton(id, ImVec2(std::max(1.0f, max.x - min.x), std::max(1.0f, max.y - min.y)));
    if (!ImGui::IsItemActive()) return -1.0;
    const float width = std::max(1.0f, max.x - min.x - 2.0f * inset);
    const double f = (ImGui::GetIO().MousePos.x - min.x - inset) / width;
    return f < 0.0 ? 0.0 : f > 1.0 ? 1.0 : f;
}

void cursorLine(ImVec2 min, ImVec2 max, float inset, double fraction) {
    const float x = min.x + inset + static_cast<float>(fraction) * (max.x - min.x - 2.0f * inset);
    ImGui::GetWindowDrawList()->AddLine(ImVec2(x, min.y), ImVec2(x, max.y), IM_COL32(255, 220, 80, 255), 2.0f);
}

// One line per series over the kept steps, its figure at the cursor
// written over it; a press or drag on a plot asks for a jump there.
void plotsPanel(const PlotData& plots, long& jumpTo) {
    int shown = 0;
    for (int k = 0; k < kSeries; ++k) shown += plots.present[k] ? 1 : 0;
    if (shown == 0 || plots.count == 0) {
        ImGui::TextUnformatted("No steps kept yet");
        return;
    }
    const ImGuiStyle& style = ImGui::GetStyle();
    const ImVec2 room = ImGui::GetContentRegionAvail();
    const float height =
        std::max(1.5f * ImGui::GetTextLineHeightWithSpacing(), (room.y - (shown - 1) * style.ItemSpacing.y) / shown);
    const int at = plots.current >= plots.first && plots.current <= plots.last
                       ? static_cast<int>(plots.current - plots.first)
                       : -1;
    const double fraction = plots.count > 1 && at >= 0 ? static_cast<double>(at) / (plots.count - 1) : 0.0;
    for (int k = 0; k < kSeries; ++k) {
        if (!plots.present[k]) continue;
        char label[64];
        if (at >= 0) {
            std::snprintf(label, sizeof label, "%s %.2f", seriesName(static_cast<Series>(k)), plots.values[k][at]);
        } else {
            std::snprintf(label, sizeof label, "%s", seriesName(static_cast<Series>(k)));
        }
        char id[16];
        std::snprintf(id, sizeof id, "##plot%d", k);
        const float low = plots.minimum[k];
        const float high = plots.maximum[k] > low ? plots.maximum[k] : low + 1.0f;
        ImGui::PlotLines(id, plots.values[k], plots.count, 0, label, low, high, ImVec2(room.x, height));
        const ImVec2 min = ImGui::GetItemRectMin();
        const ImVec2 max = ImGui::GetItemRectMax();
        if (at >= 0) cursorLine(min, max, style.FramePadding.x, fraction);
        std::snprintf(id, sizeof id, "##press%d", k);
        const double pressed = pressedFraction(id, min, max, style.FramePadding.x);
        if (pressed >= 0.0) {
            const long step = plots.first + static_cast<long>(pressed * (plots.count - 1) + 0.5);
            if (step != plots.current) jumpTo = step;
        }
    }
}

// A colour per kind of input mark; the first kind a step had wins.
ImU32 markColour(unsigned kind) {
    if ((kind & kMarkReset) != 0) return IM_COL32(255, 255, 255, 255);
    if ((kind & kMarkBranch) != 0) return IM_COL32(255, 230, 60, 255);
    if ((kind & kMarkEdit) != 0) return IM_COL32(255, 90, 255, 255);
    if ((kind & kMarkDrag) != 0) return IM_COL32(80, 220, 255, 255);
    if ((kind & kMarkThrow) != 0) return IM_COL32(255, 150, 40, 255);
    return IM_COL32(255, 80, 80, 255);
}

// The bar: the kept range end to end, a tick per step that had input, the
// current step as a bright line; a press or drag asks for a jump there.
void timelinePanel(const TimelineBar& bar, long& jumpTo) {
    if (bar.first < 0) {
        ImGui::TextUnformatted("No steps kept yet");
        return;
    }
    // The step, then what the ticks' colours stand for, on one line.
    ImGui::Text("Step %ld of %ld..%ld ", bar.current, bar.first, bar.last);
    for (unsigned kind = 1; kind < (1u << kMarkKinds); kind <<= 1) {
        ImGui::SameLine();
        ImGui::TextColored(ImGui::ColorConvertU32ToFloat4(markColour(kind)), "%s", markName(kind));
    }
    const float width = ImGui::GetContentRegionAvail().x;
    const float height = ImGui::GetTextLineHeight() * 1.5f;
    const ImVec2 min = ImGui::GetCursorScreenPos();
    const ImVec2 max(min.x + width, min.y + height);
    ImDrawList* draw = ImGui::GetWindowDrawList();
    draw->AddRectFilled(min, max, ImGui::GetColorU32(ImGuiCol_FrameBg));
    for (int i = 0; i < bar.markCount; ++i) {
        const float x = min.x + static_cast<float>(timelineFraction(bar, bar.markStep[i])) * width;
        draw->AddLine(ImVec2(x, min.y), ImVec2(x, min.y + height * 0.6f), markColour(bar.markKind[i]), 1.0f);
    }
    cursorLine(min, max, 0.0f, timelineFraction(bar, bar.current));
    const double pressed = pressedFraction("##bar", min, max, 0.0f);
    if (pressed >= 0.0) {
        const long step = timelineStepAt(bar, pressed);
        if (step >= 0 && step != bar.current) jumpTo = step;
    }
}

// Fields for the selected ball's position and velocity under its table:
// Enter in one asks for the edit. They follow the ball while not being
// typed in.
void ballFields(const PanelFigures& f, PanelRequests& requests) {
    const Simulation& s = *f.simulation;
    const int k = f.viewer->selectedBall;
    if (!selectionShown(s, *f.viewer)) return;
    static double values[2][3];
    static bool typing[2] = {};
    static int shownBall = -1;
    const Vector3* now[2] = {&s.ballPositions[k], &s.ballVelocities[k]};
    for (int i = 0; i < 2; ++i) {
        if (typing[i] && shownBall == k) continue;
        values[i][0] = now[i]->x;
        values[i][1] = now[i]->y;
        values[i][2] = now[i]->z;
    }
    shownBall = k;
    const char* const labels[2] = {"Position", "Velocity"};
    const char* const formats[2] = {"%.1f", "%.2f"};
    const ImGuiInputTextFlags flags =
        ImGuiInputTextFlags_EnterReturnsTrue | (f.ballsEditable ? 0 : ImGuiInputTextFlags_ReadOnly);
    ImGui::Separator();
    ImGui::PushItemWidth(std::max(60.0f, ImGui::GetContentRegionAvail().x - ImGui::CalcTextSize("Velocity ").x));
    for (int i = 0; i < 2; ++i) {
        if (ImGui::InputScalarN(labels[i], ImGuiDataType_Double, values[i], 3, nullptr, nullptr, formats[i], flags)) {
            requests.editBall = k;
            const Vector3 typed(values[i][0], values[i][1], values[i][2]);
            if (i == 0) {
                requests.setPosition = true;
                requests.position = typed;
            } else {
                requests.setVelocity = true;
                requests.velocity = typed;
            }
        }
        typing[i] = ImGui::IsItemActive();
    }
    ImGui::PopItemWidth();
}

// Each ball's slot and speed beside it on the screen (N), drawn behind
// the panels. `view`: the frame's matrices, read before ImGui draws.
void valueLabels(const Simulation& s, const GLdouble* modelview, const GLdouble* projection, const GLint* viewport) {
    ImDrawList* draw = ImGui::GetBackgroundDrawList();
    const float height = static_cast<float>(viewport[3]);
    for (int k = 0; k < kMaxBalls; ++k) {
        double x = 0.0, y = 0.0;
        char label[32];
        if (!ballValueLabel(s, k, modelview, projection, viewport, x, y, label, sizeof label)) continue;
        const ImVec2 at(static_cast<float>(x) + 8.0f, height - static_cast<float>(y) - 8.0f);
        draw->AddText(ImVec2(at.x + 1.0f, at.y + 1.0f), IM_COL32(0, 0, 0, 230), label);
        draw->AddText(at, IM_COL32(255, 255, 210, 255), label);
    }
}

// Writes the rectangles when they changed: "panels: Help x y w h; ...".
void reportRects() {
    char line[512];
    int used = std::snprintf(line, sizeof line, "panels:");
    for (int k = 0; k < kPanelSlots && used < static_cast<int>(sizeof line); ++k) {
        if (!panels.seenOpen[k]) continue;
        const PanelRect& r = panels.seen[k];
        const char* name = k == 0 ? "Indicator" : kTitles[k];
        used += std::snprintf(line + used, sizeof line - used, " %.*s %.0f %.0f %.0f %.0f;",
                              static_cast<int>(std::strcspn(name, " ")), name, r.x, r.y, r.width, r.height);
    }
    if (std::strcmp(line, panels.reported) == 0) return;
    std::snprintf(panels.reported, sizeof panels.reported, "%s", line);
    std::fprintf(stderr, "vennaloft: %s\n", line);
}

void owe(int frames) {
    if (panels.framesOwed < frames) panels.framesOwed = frames;
    glutPostRedisplay();
}

}  // namespace

void startWindowPanels(bool report) {
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    // No layout file in the working directory: the layout is made again
    // at every start.
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    ImGui::StyleColorsDark();
    ImGui::GetStyle().WindowRounding = 3.0f;
    ImGui::GetStyle().Colors[ImGuiCol_WindowBg].w = 0.82f;
    // Light grey, not white: the selection ring stays the one white thing.
    ImGui::GetStyle().Colors[ImGuiCol_Text] = ImVec4(0.92f, 0.92f, 0.92f, 1.0f);
    ImFontConfig small;
    panels.fonts[0] = io.Fonts->AddFontDefault(&small);
    ImFontConfig large;
    large.SizePixels = 20.0f;
    panels.fonts[1] = io.Fonts->AddFontDefault(&large);
    ImGui_ImplGLUT_Init();
    ImGui_ImplOpenGL2_Init();
    panels.started = true;
    panels.report = report;
}

PanelRequests drawWindowPanels(const PanelFigures& f) {
    drawPaths(*f.simulation, *f.viewer, *f.history, f.step);
    composeIndicator(f.help.timeline, panels.indicator, sizeof panels.indicator);
    bool open[kPanelSlots];
    whichOpen(f, open);
    const bool labels = f.viewer->valueLabels != 0;
    if (!panels.started || (!anyOpen(open) && !labels)) {
        // Nothing drawn, nothing touched: the picture is the frame's alone.
        for (bool& seen : panels.seenOpen) seen = false;
        if (panels.started && panels.shownBefore && panels.report) reportRects();
        panels.shownBefore = false;
        return PanelRequests();
    }
    ImGuiIO& io = ImGui::GetIO();
    if (!panels.shownBefore) {
        // Input while no panel showed never reached them.
        for (int b = 0; b < kButtons; ++b) {
            io.MouseDown[b] = false;
            panels.pressTaken[b] = panels.pressUnseen[b] = panels.releaseOwed[b] = false;
        }
        for (bool& down : io.KeysDown) down = false;
        for (int k = 0; k < 256 + kSpecialKeys; ++k) panels.keyUnseen[k] = panels.keyUpOwed[k] = false;
    }
    panels.shownBefore = true;
    const float width = static_cast<float>(graphics.windowSize[0]);
    const float height = static_cast<float>(graphics.windowSize[1]);
    io.DisplaySize = ImVec2(width, height);
    // A release owed goes in once a frame has seen its press.
    for (int b = 0; b < kButtons; ++b) {
        if (panels.releaseOwed[b] && !panels.pressUnseen[b]) {
            io.MouseDown[b] = false;
            panels.releaseOwed[b] = false;
        }
        panels.pressUnseen[b] = false;
    }
    for (int k = 0; k < 256 + kSpecialKeys; ++k) {
        if (panels.keyUpOwed[k] && !panels.keyUnseen[k]) {
            if (k < 256) {
                ImGui_ImplGLUT_KeyboardUpFunc(static_cast<unsigned char>(k), 0, 0);
            } else {
                ImGui_ImplGLUT_SpecialUpFunc(k - 256, 0, 0);
            }
            panels.keyUpOwed[k] = false;
        }
        panels.keyUnseen[k] = false;
    }
    // The frame's camera, for the labels, before ImGui's drawing sets its own.
    GLdouble modelview[16];
    GLdouble projection[16];
    GLint viewport[4];
    if (labels) {
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
    }

    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplGLUT_NewFrame();
    ImFont* font = fontFor(graphics.windowSize[0], graphics.windowSize[1]);
    ImGui::PushFont(font);

    const bool plotsOpen = open[slot(PanelSlot::Plots)];
    if (!plotsOpen) {
        panels.composed[1] = false;
    } else if (composedAgain(f, 1)) {
        composePlots(*f.history, f.step, f.viewer->selectedBall, panels.plots);
        composeTimeline(*f.history, f.step, panels.bar);
    }
    PanelLayoutRequest request;
    request.windowWidth = width;
    request.windowHeight = height;
    // The notice (bottom left) and the pause label (bottom right) keep
    // their places: a line of the bitmap font in its panel, and the margin.
    request.bottomStrip = static_cast<float>(kOverlayLineHeight + 2 * kOverlayPadding + kOverlayMargin + 4);
    bool place = width != panels.laidOutWidth || height != panels.laidOutHeight || font != panels.laidOutFont;
    if (place) {
        for (bool& moved : panels.moved) moved = false;
    }
    for (int k = 0; k < kPanelSlots; ++k) {
        request.open[k] = open[k];
        if (open[k] != panels.openBefore[k]) place = true;
        if (!open[k]) panels.moved[k] = false;
        panels.openBefore[k] = open[k];
        panels.seenOpen[k] = false;
    }
    measure(f, open, request);
    for (int k = 0; k < kPanelSlots; ++k) {
        if (open[k] && (request.wantedWidth[k] != panels.wishedWidth[k] || request.wantedHeight[k] != panels.wishedHeight[k])) {
            place = true;
        }
        panels.wishedWidth[k] = request.wantedWidth[k];
        panels.wishedHeight[k] = request.wantedHeight[k];
    }
    const PanelLayout layout = layOutPanels(request);
    panels.laidOutWidth = width;
    panels.laidOutHeight = height;
    panels.laidOutFont = font;

    if (labels) valueLabels(*f.simulation, modelview, projection, viewport);
    PanelRequests requests;
    if (open[slot(PanelSlot::Indicator)]) {
        beginPanel(PanelSlot::Indicator, layout, place,
                   ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoNav | ImGuiWindowFlags_NoScrollbar);
        ImGui::TextUnformatted(panels.indicator);
        endPanel(PanelSlot::Indicator);
    }
    for (PanelSlot id : {PanelSlot::Help, PanelSlot::Ball, PanelSlot::Legend, PanelSlot::Data}) {
        if (!open[slot(id)]) continue;
        // Help scrolls as a window; the others' tables scroll themselves.
        const ImGuiWindowFlags flags = id == PanelSlot::Help ? 0 : ImGuiWindowFlags_NoScrollbar;
        if (beginPanel(id, layout, place, flags)) {
            const bool fields = id == PanelSlot::Ball && selectionShown(*f.simulation, *f.viewer);
            const ImGuiStyle& style = ImGui::GetStyle();
            panelTable(panels.texts[slot(id)], id == PanelSlot::Help,
                       fields ? 2.0f * ImGui::GetFrameHeightWithSpacing() + 2.0f * style.ItemSpacing.y : 0.0f);
            if (fields) ballFields(f, requests);
        }
        endPanel(id);
    }
    if (plotsOpen) {
        if (beginPanel(PanelSlot::Plots, layout, place, 0)) plotsPanel(panels.plots, requests.jumpTo);
        endPanel(PanelSlot::Plots);
        if (beginPanel(PanelSlot::Timeline, layout, place, 0)) timelinePanel(panels.bar, requests.jumpTo);
        endPanel(PanelSlot::Timeline);
    }

    ImGui::PopFont();
    ImGui::Render();
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    if (panels.report) reportRects();
    if (place) owe(2);
    if (panels.framesOwed > 0) {
        --panels.framesOwed;
        glutPostRedisplay();
    }
    return requests;
}

bool panelsTakeButton(int button, int state, int x, int y) {
    if (!panels.started || !panels.shownBefore) return false;
    if (button == 3 || button == 4) {
        if (!pointerOverPanel(x, y)) return false;
        if (state == GLUT_DOWN) ImGui_ImplGLUT_MouseWheelFunc(0, button == 3 ? 1 : -1, x, y);
        owe(2);
        return true;
    }
    const int b = imguiButton(button);
    if (b < 0) return false;
    ImGuiIO& io = ImGui::GetIO();
    if (state == GLUT_DOWN) {
        if (!pointerOverPanel(x, y)) return false;
        panels.pressTaken[b] = true;
        panels.pressUnseen[b] = true;
        io.MousePos = ImVec2(static_cast<float>(x), static_cast<float>(y));
        io.MouseDown[b] = true;
        owe(3);
        return true;
    }
    if (!panels.pressTaken[b]) return false;
    panels.pressTaken[b] = false;
    io.MousePos = ImVec2(static_cast<float>(x), static_cast<float>(y));
    if (panels.pressUnseen[b]) {
        panels.releaseOwed[b] = true;
    } else {
        io.MouseDown[b] = false;
    }
    owe(3);
    return true;
}

void panelsPointerMoved(int x, int y) {
    if (!panels.started || !panels.shownBefore) return;
    ImGui_ImplGLUT_MotionFunc(x, y);
    // A panel being dragged, or the pointer over one, needs frames while
    // the demo is paused too.
    bool held = false;
    for (bool taken : panels.pressTaken) held = held || taken;
    if (held || pointerOverPanel(x, y)) owe(1);
}

bool panelsTakeKey(unsigned char key, int x, int y) {
    if (!panels.started || !panels.shownBefore) return false;
    const ImGuiIO& io = ImGui::GetIO();
    if (!io.WantCaptureKeyboard && !io.WantTextInput) return false;
    ImGui_ImplGLUT_KeyboardFunc(key, x, y);
    panels.keyUnseen[key] = true;
    owe(2);
    return true;
}

void panelsKeyUp(unsigned char key, int x, int y) {
    if (!panels.started || !panels.shownBefore) return;
    if (panels.keyUnseen[key]) {
        panels.keyUpOwed[key] = true;
        owe(2);
        return;
    }
    ImGui_ImplGLUT_KeyboardUpFunc(key, x, y);
}

bool panelsTakeSpecialKey(int key, int x, int y) {
    if (!panels.started || !panels.shownBefore) return false;
    const ImGuiIO& io = ImGui::GetIO();
    if (!io.WantCaptureKeyboard && !io.WantTextInput) return false;
    ImGui_ImplGLUT_SpecialFunc(key, x, y);
    if (key >= 0 && key < kSpecialKeys) panels.keyUnseen[256 + key] = true;
    owe(2);
    return true;
}

void panelsSpecialKeyUp(int key, int x, int y) {
    if (!panels.started || !panels.shownBefore) return;
    if (key >= 0 && key < kSpecialKeys && panels.keyUnseen[256 + key]) {
        panels.keyUpOwed[256 + key] = true;
        owe(2);
        return;
    }
    ImGui_ImplGLUT_SpecialUpFunc(key, x, y);
}
