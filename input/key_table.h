#pragma once

// Every key and button the program answers, in one table: the action each
// key stands for (carried out by input/keyboard.cpp, or by the window's
// callbacks for the timeline, the hands and quitting), whether it changes
// the simulation or only what is watched, and its line in the help
// ("--help", the help panel and through it the page's key list). The session records and
// replays exactly the input whose key changes the simulation; the man page
// and the page's key buttons are checked against this table by a test.

enum class KeyKind {
    Special,  // a toolkit special key (function and arrow keys)
    Letter,   // an ordinary key, by its lower-case character
    Button,   // a mouse button
};

enum class KeyRole {
    Simulation,  // changes what the simulation does: recorded and replayed
    View,        // steers only the camera or what is shown: never recorded
};

enum class KeyAction {
    None,
    Quit,
    Faster,
    Slower,
    ChaseBall,
    FreeCamera,
    AutoFire,
    ThrowMode,
    Sound,
    Reset,
    CameraForward,
    CameraBack,
    CircleLeft,
    CircleRight,
    CameraHome,
    Fire,
    FireAndFollow,
    Pause,
    SingleStep,
    StepBack,
    HundredBack,
    HundredForward,
    FirstKept,
    LastKept,
    CollisionView,
    CollisionLayers,
    Help,
    Screenshot,
    Inspect,
    Grab,
    SmoothMotion,
    DataPanel,
    PlotPanel,
    Paths,
    ValueLabels,
};

struct Key {
    KeyKind kind = KeyKind::Letter;
    int code = 0;                // key code, character or button
    const char* name = nullptr;  // as the man page names it (none for a Shift variant)
    KeyAction action = KeyAction::None;
    bool shift = false;          // a special key's action with Shift held
};

// One help line and the keys it covers.
struct KeyLine {
    const char* label;   // the keys as the help shows them
    const char* action;  // what they do
    KeyRole role;
    Key keys[2];
};

extern const KeyLine kKeyLines[];
extern const int kKeyLineCount;

// The line that covers the key, or nullptr when the program does not answer it.
const KeyLine* findKey(KeyKind kind, int code);

// The key as pressed with the toolkit's modifiers: a special key's Shift
// variant when it has one, else the key; a capital letter without a line of
// its own is its small one. nullptr for a key the program does not answer.
const Key* keyFor(KeyKind kind, int code, int modifiers);
