#pragma once

// The window's panels as Dear ImGui windows over the finished frame: help,
// ball, legend, data, plots with the timeline bar, the recording or replay
// indicator, as lab/lab_panels.h composes them, placed by
// effects/panel_layout.h until the user moves one; the value labels on
// the balls and their paths. With none of them on nothing is drawn and no
// GL state is touched.

#include "effects/contact_log.h"
#include "geometry/vector3.h"
#include "input/help_text.h"
#include "lab/lab_history.h"
#include "scene/simulation.h"
#include "scene/viewer_state.h"

// What the panels show this frame.
struct PanelFigures {
    const Simulation* simulation = nullptr;
    const ViewerState* viewer = nullptr;
    const ContactHistory* contacts = nullptr;
    const LabHistory* history = nullptr;
    long step = 0;  // the session's current step
    HelpFigures help;
    // Whether the ball panel's fields may be typed in (read-only else).
    bool ballsEditable = false;
    // Elapsed milliseconds: while the demo runs, the data table and the
    // plots are composed anew a few times a second, not every frame.
    int now = 0;
};

// What the user asked for in the panels this frame.
struct PanelRequests {
    long jumpTo = -1;  // a press on a plot or the timeline bar
    int editBall = -1;  // Enter in the ball panel's fields
    bool setPosition = false;
    bool setVelocity = false;
    Vector3 position;
    Vector3 velocity;
};

// Once the window exists. `report`: each change of the panels' rectangles
// is written to standard error (the window tests read it).
void startWindowPanels(bool report);

// Last in the frame, before the screenshot's readback and the corner's
// notice and pause label.
PanelRequests drawWindowPanels(const PanelFigures& figures);

// The toolkit's input, offered to the panels first. True when a panel
// takes it, so the demo does not see it: a press on a panel (and its
// release), keys while a field is typed in.
bool panelsTakeButton(int button, int state, int x, int y);
void panelsPointerMoved(int x, int y);
bool panelsTakeKey(unsigned char key, int x, int y);
void panelsKeyUp(unsigned char key, int x, int y);
bool panelsTakeSpecialKey(int key, int x, int y);
void panelsSpecialKeyUp(int key, int x, int y);
