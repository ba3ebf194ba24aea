#include "render/window_panels_drawing.h"

#include <cstdio>
#include <algorithm>
#include <cmath>
#include <cstring>

#include <GL/freeglut.h>
#include <imgui.h>
#include <imgui_impl_glut.h>
#include <imgui_impl_opengl2.h>

#include "effects/panel_layout.h"
#include "input/key_table.h"
#include "render/collision_view_drawing.h"
#include "render/graphics_setup.h"
#include "render/inspect_drawing.h"
#include "render/window_overlay.h"

namespace {

constexpr int kButtons = 3;  // left, middle, right, as ImGui counts them
const char* const kTitles[kPanelSlots] = {"##indicator", "Help (H)", "Ball (I)", "Legend (V)", "Data", "Plots",
                                          "Timeline"};

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
    // Frames the panels still need after input to settle, paused or not.
    int framesOwed = 0;
    char reported[512] = {};
};

PanelsState panels;

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

void whichOpen(const PanelFigures& f, bool* open) {
    for (int k = 0; k < kPanelSlots; ++k) open[k] = false;
    open[static_cast<int>(PanelSlot::Indicator)] = f.indicator[0] != '\0';
    open[static_cast<int>(PanelSlot::Help)] = f.viewer->helpOverlay != 0;
    open[static_cast<int>(PanelSlot::Ball)] = selectionShown(*f.simulation, *f.viewer) || f.viewer->inspectMode != 0;
    open[static_cast<int>(PanelSlot::Legend)] = f.viewer->collisionView != 0;
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

// What each panel would like at the current font, for the layout.
void measure(const PanelFigures& f, PanelLayoutRequest& request) {
    const ImGuiStyle& style = ImGui::GetStyle();
    const float line = ImGui::GetTextLineHeightWithSpacing();
    const float ch = ImGui::CalcTextSize("0").x;
    const float title = ImGui::GetFrameHeight();
    const float padX = 2.0f * style.WindowPadding.x + style.ScrollbarSize;
    const float padY = 2.0f * style.WindowPadding.y;
    const auto wish = [&](PanelSlot id, float width, float height) {
        request.wantedWidth[static_cast<int>(id)] = width;
        request.wantedHeight[static_cast<int>(id)] = height;
    };
    // In steps of ten characters, so that a replay's counting does not move it.
    const int indicatorLength = (static_cast<int>(std::strlen(f.indicator)) + 9) / 10 * 10;
    wish(PanelSlot::Indicator, indicatorLength * ch + 2.0f * style.WindowPadding.x, line + padY);
    int longest = 0;
    for (int i = 0; i < kKeyLineCount; ++i) {
        longest = std::max(longest, static_cast<int>(std::strlen(kKeyLines[i].action)));
    }
    wish(PanelSlot::Help, (15 + longest) * ch + 2.0f * style.CellPadding.x * 2.0f + padX,
         title + padY + (kKeyLineCount + 9) * (line + 2.0f * style.CellPadding.y));
    // As many rows as the panel shows now: it covers no more of the room
    // than it needs to.
    int ballRows = f.viewer->inspectMode != 0 ? 1 : 0;
    int ballWidth = 39;
    if (selectionShown(*f.simulation, *f.viewer)) {
        int contacts = 0;
        while (f.contacts != nullptr && contacts < kBallContactsKept &&
               f.contacts->ballContact(f.viewer->selectedBall, contacts).step != 0) {
            ++contacts;
        }
        ballRows += 4 + (contacts > 0 ? contacts + 1 : 0);
        ballWidth = 40;
    } else {
        ballRows += 1;
    }
    wish(PanelSlot::Ball, ballWidth * ch + 8.0f * style.CellPadding.x + padX,
         title + padY + ballRows * (line + 2.0f * style.CellPadding.y));
    wish(PanelSlot::Legend, 26 * ch + padX, title + padY + kLegendLinesMost * line);
}

// Places the panel where the layout says when the layout was made again
// (a resize, a panel opened or closed or wishing another size); between,
// the user may move it.
bool beginPanel(PanelSlot id, const PanelLayout& layout, bool place, ImGuiWindowFlags flags) {
    const PanelRect& r = layout[id];
    const int k = static_cast<int>(id);
    if (place && !panels.moved[k]) {
        panels.placed[k] = r;
        ImGui::SetNextWindowPos(ImVec2(r.x, r.y), ImGuiCond_Always);
        ImGui::SetNextWindowSize(ImVec2(r.width, r.height), ImGuiCond_Always);
    }
    return ImGui::Begin(kTitles[static_cast<int>(id)], nullptr, flags | ImGuiWindowFlags_NoResize |
                                                                     ImGuiWindowFlags_HorizontalScrollbar |
                                                                     ImGuiWindowFlags_NoFocusOnAppearing);
}

void endPanel(PanelSlot id) {
    const ImVec2 pos = ImGui::GetWindowPos();
    const ImVec2 size = ImGui::GetWindowSize();
    const int k = static_cast<int>(id);
    panels.seenOpen[k] = true;
    panels.seen[k] = {pos.x, pos.y, size.x, size.y};
    // ImGui keeps windows on whole pixels.
    if (std::fabs(pos.x - panels.placed[k].x) > 1.0f || std::fabs(pos.y - panels.placed[k].y) > 1.0f) {
        panels.moved[k] = true;
    }
    ImGui::End();
}

void helpPanel(const PanelFigures& f) {
    static HelpPanel text;
    composeHelpPanel(f.help, text);
    // What a key does wraps in a narrow panel rather than hiding behind a scroll.
    if (ImGui::BeginTable("keys", 2, ImGuiTableFlags_RowBg)) {
        ImGui::TableSetupColumn("Key", ImGuiTableColumnFlags_WidthFixed);
        ImGui::TableSetupColumn("Does", ImGuiTableColumnFlags_WidthStretch);
        ImGui::TableHeadersRow();
        for (int i = 0; i < kKeyLineCount; ++i) {
            ImGui::TableNextRow();
            ImGui::TableNextColumn();
            ImGui::TextUnformatted(kKeyLines[i].label);
            ImGui::TableNextColumn();
            ImGui::TextWrapped("%s", kKeyLines[i].action);
        }
        ImGui::EndTable();
    }
    ImGui::Separator();
    // The figures follow the key lines and a blank one.
    for (int i = kKeyLineCount + 2; i < text.count; ++i) ImGui::TextWrapped("%s", text.lines[i]);
}

void ballPanel(const PanelFigures& f) {
    const Simulation& s = *f.simulation;
    const ViewerState& viewer = *f.viewer;
    if (!selectionShown(s, viewer)) {
        ImGui::TextUnformatted("No ball selected");
    } else {
        const int k = viewer.selectedBall;
        const Vector3& p = s.ballPositions[k];
        const Vector3& v = s.ballVelocities[k];
        ImGui::Text("Ball %d%s", k, viewer.heldBall == k ? " (held)" : "");
        if (ImGui::BeginTable("motion", 4, ImGuiTableFlags_SizingFixedFit)) {
            ImGui::TableNextRow();
            ImGui::TableNextColumn();
            ImGui::TextUnformatted("Position");
            for (double c : {p.x, p.y, p.z}) {
                ImGui::TableNextColumn();
                ImGui::Text("%.1f", c);
            }
            ImGui::TableNextRow();
            ImGui::TableNextColumn();
            ImGui::TextUnformatted("Velocity");
            for (double c : {v.x, v.y, v.z}) {
                ImGui::TableNextColumn();
                ImGui::Text("%.2f", c);
            }
            ImGui::TableNextRow();
            ImGui::TableNextColumn();
            ImGui::TextUnformatted("Speed");
            ImGui::TableNextColumn();
            ImGui::Text("%.2f", v.Length());
            ImGui::EndTable();
        }
        if (f.contacts != nullptr && f.contacts->ballContact(k, 0).step != 0 &&
            ImGui::BeginTable("contacts", 4, ImGuiTableFlags_SizingFixedFit | ImGuiTableFlags_RowBg)) {
            ImGui::TableSetupColumn("Step");
            ImGui::TableSetupColumn("With");
            ImGui::TableSetupColumn("Normal");
            ImGui::TableSetupColumn("Speed");
            ImGui::TableHeadersRow();
            // Newest first.
            for (int i = 0; i < kBallContactsKept; ++i) {
                const BallContact& c = f.contacts->ballContact(k, i);
                if (c.step == 0) break;
                ImGui::TableNextRow();
                ImGui::TableNextColumn();
                ImGui::Text("%d", c.step);
                ImGui::TableNextColumn();
                if (c.with == kWithBall) {
                    ImGui::Text("ball %d", c.other);
                } else {
                    ImGui::TextUnformatted(contactWithName(c.with));
                }
                ImGui::TableNextColumn();
                ImGui::Text("%.2f %.2f %.2f", c.normal[0], c.normal[1], c.normal[2]);
                ImGui::TableNextColumn();
                ImGui::Text("%.2f>%.2f", c.speedBefore, c.speedAfter);
            }
            ImGui::EndTable();
        }
    }
    if (viewer.inspectMode != 0) ImGui::TextUnformatted("Inspect (I): click selects, hold drags");
}

void legendPanel(const PanelFigures& f) {
    LegendLine lines[kLegendLinesMost];
    const int count = collisionLegend(f.viewer->collisionLayers, lines);
    const float side = ImGui::GetTextLineHeight();
    for (int i = 0; i < count; ++i) {
        const ImVec2 at = ImGui::GetCursorScreenPos();
        ImGui::GetWindowDrawList()->AddRectFilled(at, ImVec2(at.x + side, at.y + side),
                                                  ImGui::GetColorU32(ImVec4(lines[i].r, lines[i].g, lines[i].b, 1.0f)));
        ImGui::Dummy(ImVec2(side, side));
        ImGui::SameLine();
        ImGui::TextUnformatted(lines[i].name);
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

void drawWindowPanels(const PanelFigures& f) {
    bool open[kPanelSlots];
    whichOpen(f, open);
    if (!panels.started || !anyOpen(open)) {
        // Nothing drawn, nothing touched: the picture is the frame's alone.
        if (panels.started && panels.shownBefore && panels.report) {
            for (bool& seen : panels.seenOpen) seen = false;
            reportRects();
        }
        panels.shownBefore = false;
        for (bool& seen : panels.seenOpen) seen = false;
        return;
    }
    ImGuiIO& io = ImGui::GetIO();
    if (!panels.shownBefore) {
        // Input while no panel showed never reached them.
        for (int b = 0; b < kButtons; ++b) {
            io.MouseDown[b] = false;
            panels.pressTaken[b] = panels.pressUnseen[b] = panels.releaseOwed[b] = false;
        }
        for (bool& down : io.KeysDown) down = false;
    }
    panels.shownBefore = true;
    const float width = static_cast<float>(graphics.windowSize[0]);
    const float height = static_cast<float>(graphics.windowSize[1]);
    io.DisplaySize = ImVec2(width, height);
    for (int b = 0; b < kButtons; ++b) {
        panels.pressUnseen[b] = false;
        if (panels.releaseOwed[b]) {
            io.MouseDown[b] = false;
            panels.releaseOwed[b] = false;
        }
    }

    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplGLUT_NewFrame();
    ImFont* font = fontFor(graphics.windowSize[0], graphics.windowSize[1]);
    ImGui::PushFont(font);

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
    measure(f, request);
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

    if (open[static_cast<int>(PanelSlot::Indicator)]) {
        beginPanel(PanelSlot::Indicator, layout, place,
                   ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoNav | ImGuiWindowFlags_NoScrollbar);
        ImGui::TextUnformatted(f.indicator);
        endPanel(PanelSlot::Indicator);
    }
    if (open[static_cast<int>(PanelSlot::Help)]) {
        if (beginPanel(PanelSlot::Help, layout, place, 0)) helpPanel(f);
        endPanel(PanelSlot::Help);
    }
    if (open[static_cast<int>(PanelSlot::Ball)]) {
        if (beginPanel(PanelSlot::Ball, layout, place, 0)) ballPanel(f);
        endPanel(PanelSlot::Ball);
    }
    if (open[static_cast<int>(PanelSlot::Legend)]) {
        if (beginPanel(PanelSlot::Legend, layout, place, 0)) legendPanel(f);
        endPanel(PanelSlot::Legend);
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
    owe(2);
    return true;
}

void panelsKeyUp(unsigned char key, int x, int y) {
    if (panels.started && panels.shownBefore) ImGui_ImplGLUT_KeyboardUpFunc(key, x, y);
}

bool panelsTakeSpecialKey(int key, int x, int y) {
    if (!panels.started || !panels.shownBefore) return false;
    const ImGuiIO& io = ImGui::GetIO();
    if (!io.WantCaptureKeyboard && !io.WantTextInput) return false;
    ImGui_ImplGLUT_SpecialFunc(key, x, y);
    owe(2);
    return true;
}

void panelsSpecialKeyUp(int key, int x, int y) {
    if (panels.started && panels.shownBefore) ImGui_ImplGLUT_SpecialUpFunc(key, x, y);
}
