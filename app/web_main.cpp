// Vennaloft in a web page. The same start-up as the desktop program, with
// three differences a page needs: the options come from the address
// ("?nr=45&seed=42" is read as "-nr 45 -seed 42", app/start_up.h); the step runs from a
// timer set for when the next step is due, because the desktop's pacing
// wait would block the page; and Escape, which ends the program, stops
// every callback and leaves a message instead of a frozen canvas. A
// recording to replay arrives as "-replay FILE", the page having put the
// file into the runtime's file system first.
//
// The page sizes the canvas itself (to its stage, times the screen's pixel
// ratio) and reports the size here; it handles touch on the canvas and
// turns a tap into a click. A click shorter than a step is held until the
// next step has seen it, so a quick tap or click always fires.
//
// The help, ball, legend, data and plot panels and the timeline are the
// page's HTML beside the picture, not text drawn into it: the program
// composes what they show (lab/, as for the window) and hands the open ones
// over as JSON when the page asks, a few times a second.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <initializer_list>
#include <string>
#include <vector>

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glut.h>
#include <emscripten.h>

#include "app/glut_callbacks.h"
#include "app/live_simulation.h"
#include "app/scene_start.h"
#include "app/session.h"
#include "app/start_up.h"
#include "effects/inspect_mode.h"
#include "input/help_text.h"
#include "input/key_codes.h"
#include "input/mouse_actions.h"
#include "input/replay_file.h"
#include "lab/lab_history.h"
#include "lab/lab_panels.h"
#include "physics/simulation_step.h"
#include "platform/clock.h"
#include "platform/web_cue_player.h"
#include "render/graphics_setup.h"
#include "render/help_overlay_drawing.h"
#include "render/path_drawing.h"
#include "render/value_label_drawing.h"
#include "scene/command_line.h"

namespace {

// The panels' figures for the page, as JSON text in one buffer that keeps
// its capacity: the page reads it a few times a second, not every frame.
struct JsonText {
    std::string text;
    bool first = true;

    void clear() {
        text.clear();
        first = true;
    }
    void comma() {
        if (!first) text += ',';
        first = false;
    }
    void key(const char* name) {
        comma();
        quoted(name);
        text += ':';
        first = true;
    }
    void open(char bracket) {
        comma();
        text += bracket;
        first = true;
    }
    void close(char bracket) {
        text += bracket;
        first = false;
    }
    void string(const char* value) {
        comma();
        quoted(value);
    }
    void quoted(const char* value) {
        text += '"';
        for (const char* c = value; *c != '\0'; ++c) {
            const unsigned char u = static_cast<unsigned char>(*c);
            if (u == '"' || u == '\\') {
                text += '\\';
                text += *c;
            } else if (u < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
                text += escaped;
            } else {
                text += *c;
            }
        }
        text += '"';
    }
    void number(double value, int digitsKept = 12) {
        comma();
        char digits[32];
        // JSON has no NaN or infinity.
        if (!std::isfinite(value)) value = 0.0;
        std::snprintf(digits, sizeof digits, "%.*g", digitsKept, value);
        text += digits;
    }
};

// The composed panels, kept between readings (too big for the stack).
struct PagePanels {
    PanelText panel;
    PlotData plots;
    TimelineBar bar;
    char indicator[96];
};

// The page's own state between the browser's calls, in one value.
struct PageState {
    bool ended = false;
    bool firstFrameDrawn = false;
    // A left button pressed since the last step: its release waits for the step.
    bool leftPressedSinceStep = false;
    bool releaseAfterStep = false;
    int releaseX = 0;
    int releaseY = 0;
    // The panels for the page (vl_lab_json), kept between readings.
    JsonText json;
    PagePanels panels;
    std::string editRefusal;  // why the page's last ball edit was refused
};

PageState page;

void pageMouseButton(int button, int state, int x, int y) {
    if (button == kLeftButton && state == kButtonDown) {
        page.leftPressedSinceStep = true;
        page.releaseAfterStep = false;
    }
    if (button == kLeftButton && state == kButtonUp && page.leftPressedSinceStep) {
        page.releaseAfterStep = true;
        page.releaseX = x;
        page.releaseY = y;
        return;
    }
    onMouseButton(button, state, x, y);
}

// The page's address ("?nr=45&seed=42"), as the browser has it.
std::string pageAddressSearch() {
    const int length = EM_ASM_INT({ return lengthBytesUTF8(location.search); });
    std::string search(static_cast<std::size_t>(length) + 1, '\0');
    EM_ASM({ stringToUTF8(location.search, $0, $1); }, &search[0], length + 1);
    search.resize(static_cast<std::size_t>(length));
    return search;
}

void stepWhenDue(int) {
    if (page.ended) return;
    // Due by now, so the pacing finds its time has come.
    runPacedStep();
    page.leftPressedSinceStep = false;
    if (page.releaseAfterStep) {
        page.releaseAfterStep = false;
        onMouseButton(kLeftButton, kButtonUp, page.releaseX, page.releaseY);
    }
    glutTimerFunc(static_cast<unsigned>(millisecondsUntilPacedStep()), stepWhenDue, 0);
}

// Escape ends the program with exit(): the textures are gone, so nothing
// may draw again. The runtime cannot end while the page holds it (timers,
// listeners), so every later callback is refused and the page says what
// happened.
void endInPage() {
    page.ended = true;
    // The toolkit's window listeners stay behind a program that ended;
    // without callbacks they do nothing.
    EM_ASM({
        ABORT = true;
        GLUT.keyboardFunc = GLUT.keyboardUpFunc = GLUT.specialFunc = GLUT.specialUpFunc = 0;
        GLUT.mouseFunc = GLUT.motionFunc = GLUT.passiveMotionFunc = 0;
        if (Module['onProgramEnded']) Module['onProgramEnded']();
    });
}

// The balls' paths (L) and value labels (N) over the frame: the panels
// themselves are the page's HTML.
void drawPagePaths() {
    drawPaths(sim, live.viewer, sessionLabHistory(), sessionStepNumber());
    drawValueLabels(sim, live.viewer);
}

// The page times its first frame (the benchmark reads it). With smooth
// motion running, each frame asks for the next: the browser draws them at
// the display's rate.
void drawFrameInPage() {
    onDisplay();
    if (live.viewer.smoothMotion != 0 && sim.controls.paused == 0) glutPostRedisplay();
    if (page.firstFrameDrawn) return;
    page.firstFrameDrawn = true;
    EM_ASM({
        if (Module['onFirstFrame']) Module['onFirstFrame']();
    });
}

// The page shows why a recording was refused, in one line.
void tellRefusal(const std::string& reason) {
    EM_ASM({
        if (Module['onReplayRefused']) Module['onReplayRefused'](UTF8ToString($0));
    }, reason.c_str());
}

// The selected ball while it lives, else -1.
int shownSelection() {
    const int k = live.viewer.selectedBall;
    return k >= 0 && k < kMaxBalls && sim.ballAlive[k] != 0 ? k : -1;
}

// A panel as {"title", "columns", "rows": [{"cells", "marked", "header",
// "swatch"}]}, a swatch as "#rrggbb".
void writePanel(JsonText& j, const char* id, const PanelText& panel) {
    j.key(id);
    j.open('{');
    j.key("title");
    j.string(panel.title);
    j.key("columns");
    j.number(panel.columns);
    j.key("rows");
    j.open('[');
    for (int r = 0; r < panel.rowCount; ++r) {
        const PanelRow& row = panel.rows[r];
        j.open('{');
        j.key("cells");
        j.open('[');
        for (int c = 0; c < row.cellCount; ++c) j.string(row.cells[c]);
        j.close(']');
        if (row.marked) {
            j.key("marked");
            j.number(1);
        }
        if (row.header) {
            j.key("header");
            j.number(1);
        }
        if (row.swatch) {
            char colour[8];
            std::snprintf(colour, sizeof colour, "#%02x%02x%02x", static_cast<int>(row.colour[0] * 255.0f + 0.5f),
                          static_cast<int>(row.colour[1] * 255.0f + 0.5f), static_cast<int>(row.colour[2] * 255.0f + 0.5f));
            j.key("swatch");
            j.string(colour);
        }
        j.close('}');
    }
    j.close(']');
    j.close('}');
}

// The plots' series over the kept steps: {"first", "series": [{"name",
// "values"}]}, the series with nothing to show left out.
void writePlots(JsonText& j, const PlotData& plots) {
    j.key("plots");
    j.open('{');
    j.key("first");
    j.number(static_cast<double>(plots.first));
    j.key("series");
    j.open('[');
    for (int k = 0; k < kSeries; ++k) {
        if (!plots.present[k]) continue;
        j.open('{');
        j.key("name");
        j.string(seriesName(static_cast<Series>(k)));
        j.key("values");
        j.open('[');
        for (int i = 0; i < plots.count; ++i) j.number(plots.values[k][i], 5);
        j.close(']');
        j.close('}');
    }
    j.close(']');
    j.close('}');
}

// The bar: the kept range and a mark per step with input, by kind.
void writeTimeline(JsonText& j, const TimelineBar& bar) {
    j.key("timeline");
    j.open('{');
    j.key("first");
    j.number(static_cast<double>(bar.first));
    j.key("last");
    j.number(static_cast<double>(bar.last));
    j.key("marks");
    j.open('[');
    for (int i = 0; i < bar.markCount; ++i) {
        j.number(static_cast<double>(bar.markStep[i]));
        j.number(bar.markKind[i]);
    }
    j.close(']');
    j.close('}');
}

}  // namespace

extern "C" {

// A file dropped on the running page, put at /dropped.vlr by the page: the
// reader's verdict before the page reloads to replay it (1), or its reason
// shown and the demo left as it is (0).
EMSCRIPTEN_KEEPALIVE int vl_check_dropped_replay() {
    Recording recording;
    std::string error;
    if (readReplayFile("/dropped.vlr", recording, error)) return 1;
    tellRefusal(error);
    return 0;
}

// window.vennaloft.stats(): the help overlay's figures, in a fixed order.
EMSCRIPTEN_KEEPALIVE double vl_stat(int which) {
    const HelpFigures f = helpOverlayFigures(sim, live.viewer, sessionLook().timeline);
    switch (which) {
    case 0:
        return f.stepsPerSecond;
    case 1:
        return f.framesPerSecond;
    case 2:
        return f.ballsAlive;
    case 3:
        return f.shotsInFlight;
    case 4:
        return f.paused;
    case 5:
        return f.timeStep;
    case 6:
        return webAudioRunning() ? 1.0 : 0.0;
    case 7:
        return webCuesDecoded();
    case 8:
        return live.viewer.inspectMode;
    case 9:
        return shownSelection();
    default:
        return 0.0;
    }
}

// Escape, from the page (see page.js): the page is told first, then the
// toolkit's handler runs as on the desktop and does not return.
EMSCRIPTEN_KEEPALIVE void vl_escape() {
    endInPage();
    onKey(27, 0, 0);
}

// The page's panels beside the picture: which the program shows (H, I or a
// selection, V, the lab's data and plots), the timeline bar, the indicator
// line, and the composed panels among those open (`open`: 1 help, 2 ball,
// 4 legend, 8 data, 16 plots), as JSON.
EMSCRIPTEN_KEEPALIVE const char* vl_lab_json(int open) {
    JsonText& j = page.json;
    PagePanels& p = page.panels;
    j.clear();
    const FrameLook look = sessionLook();
    const LabHistory& history = sessionLabHistory();
    const long step = sessionStepNumber();
    const int selected = shownSelection();
    j.open('{');
    j.key("step");
    j.number(static_cast<double>(step));
    j.key("paused");
    j.number(sim.controls.paused);
    j.key("help");
    j.number(live.viewer.helpOverlay);
    j.key("inspect");
    j.number(live.viewer.inspectMode);
    j.key("selected");
    j.number(selected);
    j.key("collisionView");
    j.number(live.viewer.collisionView);
    j.key("labPanels");
    j.number(live.viewer.labPanels);
    // The selected ball's figures in full, for the ball panel's fields.
    if (selected >= 0) {
        j.key("ball");
        j.open('[');
        for (const Vector3* v : {&sim.ballPositions[selected], &sim.ballVelocities[selected]}) {
            j.number(v->x);
            j.number(v->y);
            j.number(v->z);
        }
        j.close(']');
    }
    composeTimeline(history, step, p.bar);
    writeTimeline(j, p.bar);
    composeIndicator(look.timeline, p.indicator, sizeof p.indicator);
    j.key("indicator");
    j.string(p.indicator);
    j.key("panels");
    j.open('{');
    if ((open & 1) != 0) {
        composeHelpPanel(helpOverlayFigures(sim, live.viewer, look.timeline), p.panel);
        writePanel(j, "help", p.panel);
    }
    if ((open & 2) != 0) {
        composeBallPanel(sim, selected, live.viewer.heldBall, live.viewer.inspectMode != 0, look.contacts, p.panel);
        writePanel(j, "ball", p.panel);
    }
    if ((open & 4) != 0) {
        composeLegendPanel(live.viewer.collisionLayers, p.panel);
        writePanel(j, "legend", p.panel);
    }
    if ((open & 8) != 0) {
        composeDataPanel(sim, selected, live.viewer.heldBall, p.panel);
        writePanel(j, "data", p.panel);
    }
    j.close('}');
    if ((open & 16) != 0) {
        composePlots(history, step, selected, p.plots);
        writePlots(j, p.plots);
    }
    j.close('}');
    return j.text.c_str();
}

// The lab's own panels opened or closed on the page (bits as -lab sets them).
EMSCRIPTEN_KEEPALIVE void vl_set_lab_panels(int bits) {
    live.viewer.labPanels = bits & (kLabDataPanel | kLabPlotPanel);
}

// A click or drag on the timeline or a plot: the scene at `target` through
// the session's jump, paused first as the timeline's keys do.
EMSCRIPTEN_KEEPALIVE void vl_jump(double target) {
    if (page.ended) return;
    if (sim.controls.paused == 0) togglePause(sim, liveReadings());
    StepEvents events;
    jumpToStep(static_cast<long>(target), events);
    if (events.clipPlane0 == 1) glEnable(GL_CLIP_PLANE0);
    if (events.clipPlane0 == 0) glDisable(GL_CLIP_PLANE0);
    glutPostRedisplay();
}

// Where ball `slot` is on the canvas through the last frame's matrices
// (axis 0: x, 1: y, rows from the top as the toolkit counts them), -1 when
// it is not alive or not in front of the eye: the page test taps it.
EMSCRIPTEN_KEEPALIVE double vl_ball_on_screen(int slot, int axis) {
    if (slot < 0 || slot >= kMaxBalls || sim.ballAlive[slot] == 0) return -1.0;
    GLint viewport[4];
    GLdouble modelview[16];
    GLdouble projection[16];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    const Vector3& c = sim.ballPositions[slot];
    GLdouble x = 0.0, y = 0.0, z = 0.0;
    if (gluProject(c.x, c.y, c.z, modelview, projection, viewport, &x, &y, &z) != GL_TRUE || z < 0.0 || z > 1.0) {
        return -1.0;
    }
    return axis == 0 ? x : viewport[3] - y - 1;
}

// A row of the data table chosen: that ball selected, as a click on it
// would; not while the pointer holds one.
EMSCRIPTEN_KEEPALIVE void vl_select_ball(int slot) {
    if (page.ended || slot < -1 || slot >= kMaxBalls || live.viewer.heldBall >= 0) return;
    live.viewer.selectedBall = slot;
    glutPostRedisplay();
}

// A finger down in inspect mode: the left button at that point, so a ball
// under it is held and follows the finger (vl_pointer_move), released by
// vl_pointer_up. 1 when a ball is held.
EMSCRIPTEN_KEEPALIVE int vl_pointer_down(int x, int y) {
    if (page.ended) return 0;
    onMouseMotion(x, y);
    pageMouseButton(kLeftButton, kButtonDown, x, y);
    return live.viewer.heldBall >= 0 ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void vl_pointer_move(int x, int y) {
    if (page.ended) return;
    onMouseMotion(x, y);
}

EMSCRIPTEN_KEEPALIVE void vl_pointer_up(int x, int y) {
    if (page.ended) return;
    pageMouseButton(kLeftButton, kButtonUp, x, y);
}

// The page's buttons for the function keys a browser may keep for itself.
EMSCRIPTEN_KEEPALIVE void vl_special_key(int key) {
    if (page.ended) return;
    // Outside a key event the toolkit has no modifiers to ask for.
    pressKey(KeyKind::Special, key, 0);
    onSpecialKeyUp(key, 0, 0);
}

// A drag on the canvas holds and lets go of the arrows.
EMSCRIPTEN_KEEPALIVE void vl_special_key_held(int key, int down) {
    if (page.ended) return;
    if (down != 0) {
        onSpecialKey(key, 0, 0);
    } else {
        onSpecialKeyUp(key, 0, 0);
    }
}

// A wheel notch over the picture: the page listens for the wheel on the
// canvas only (the toolkit would take it anywhere on the page).
EMSCRIPTEN_KEEPALIVE void vl_wheel_notch(int forward) {
    if (page.ended) return;
    onMouseButton(forward != 0 ? kWheelForwardButton : kWheelBackButton, kButtonDown, 0, 0);
}

// The page's Start and End buttons: Shift+Page Up / Page Down.
EMSCRIPTEN_KEEPALIVE void vl_timeline_end(int last) {
    if (page.ended) return;
    pressKey(KeyKind::Special, last != 0 ? kKeyPageDown : kKeyPageUp, kModifierShift);
}

// The page's buttons for letter keys (P, O, B, H, V); Escape has its own way.
EMSCRIPTEN_KEEPALIVE void vl_key(int key) {
    if (page.ended || key == 27) return;
    // A button is pressed and let go at once: Back steps back once, not on.
    onKey(static_cast<unsigned char>(key), 0, 0);
    onKeyUp(static_cast<unsigned char>(key), 0, 0);
}

// A tap at a canvas point: the left button (fire, or throw in throw mode),
// or the right one (fire and follow the shot).
EMSCRIPTEN_KEEPALIVE void vl_tap(int x, int y, int follow) {
    if (page.ended) return;
    onMouseMotion(x, y);
    const int button = follow != 0 ? kRightButton : kLeftButton;
    pageMouseButton(button, kButtonDown, x, y);
    pageMouseButton(button, kButtonUp, x, y);
}

// The ball panel's fields: ball `slot`'s position (bit 1 of `which`) and/or
// velocity (bit 2) set at once, a recorded input like a key. 1 when done; 0
// when refused, the reason then in the corner and in vl_edit_refusal().
EMSCRIPTEN_KEEPALIVE int vl_edit_ball(int slot, double px, double py, double pz, double vx, double vy, double vz,
                                      int which) {
    if (page.ended) return 0;
    const Vector3 position(px, py, pz);
    const Vector3 velocity(vx, vy, vz);
    page.editRefusal.clear();
    const bool done = deliverBallEdit(slot, (which & 1) != 0 ? &position : nullptr,
                                      (which & 2) != 0 ? &velocity : nullptr, &page.editRefusal);
    glutPostRedisplay();
    return done ? 1 : 0;
}

// Why the last vl_edit_ball was refused ("inside an obstacle"), or "".
EMSCRIPTEN_KEEPALIVE const char* vl_edit_refusal() { return page.editRefusal.c_str(); }

// The page has given the canvas a new drawing-buffer size.
EMSCRIPTEN_KEEPALIVE void vl_window_size(int width, int height) {
    if (page.ended || width <= 0 || height <= 0) return;
    onWindowSize(width, height);
    glutPostRedisplay();
}

// The key lines of the help, one a line, for the page's key list.
EMSCRIPTEN_KEEPALIVE const char* vl_key_lines() {
    static std::string text;
    text.clear();
    writeKeyLines(text);
    return text.c_str();
}

}  // extern "C"

int main(int argc, char** argv) {
    // The address's options first, then what the page adds ("-replay FILE").
    std::vector<std::string> words = addressArguments(pageAddressSearch());
    std::vector<char*> arguments{argv[0]};
    for (std::string& word : words) arguments.push_back(&word[0]);
    for (int i = 1; i < argc; ++i) arguments.push_back(argv[i]);
    arguments.push_back(nullptr);

    // As on the desktop: a recording is read whole before anything starts,
    // and its options win over the address's.
    StartOptions options;
    std::string warning;
    const StartRefusal refusal =
        readStartOptions(static_cast<int>(arguments.size()) - 1, arguments.data(), std::getenv("VENNALOFT_SEED"),
                         static_cast<unsigned int>(std::time(nullptr)), options, warning);
    if (!warning.empty()) std::fprintf(stderr, "vennaloft: %s\n", warning.c_str());
    if (refusal.status != 0) {
        tellRefusal(refusal.reason);
        return refusal.status;
    }
    if (options.files.replay != nullptr) {
        const Recording& recording = options.recording;
        EM_ASM({
            if (Module['onReplayStarted']) Module['onReplayStarted']($0, $1, $2, $3);
        }, recording.steps, recording.header.seed, recording.header.ballCount, recording.header.ballRadius);
    }
    // Full screen needs a gesture in a page: the page goes there at the first click.
    if (options.fullScreen) {
        EM_ASM({
            if (Module['onFullScreenAsked']) Module['onFullScreenAsked']();
        });
    }
    layOutScene(options.seed);
    takeViewOptions(options);

    // Touch is the page's own (on the canvas, not passive); the toolkit's
    // window-wide translation would call preventDefault where it may not.
    EM_ASM({ GLUT.touchHandler = function() {}; });
    glutInit(&argc, argv);
    // The toolkit takes the wheel anywhere on the page; the page hands on
    // only a wheel over the picture (vl_wheel_notch), so the rest scrolls.
    EM_ASM({
        window.removeEventListener("mousewheel", GLUT.onMouseWheel, true);
        window.removeEventListener("DOMMouseScroll", GLUT.onMouseWheel, true);
    });
    setClockSource(glutElapsedMilliseconds);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(graphics.windowSize[0], graphics.windowSize[1]);
    glutCreateWindow("Vennaloft");

    startSessionInWindow(options.files.replay != nullptr ? &options.recording : nullptr);
    nameSessionReplay(options.files.replay);
    startWebCuePlayer();

    registerInputCallbacks();
    glutMouseFunc(pageMouseButton);
    glutTimerFunc(0, stepWhenDue, 0);
    glutDisplayFunc(drawFrameInPage);
    setPanelDrawing(drawPagePaths);

    // The page sizes the canvas now; the main loop starts at that size.
    EM_ASM({
        if (Module['onReady']) Module['onReady']();
    });

    glutMainLoop();
    return 0;
}
