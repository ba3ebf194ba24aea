#pragma once

// Every key and button the program answers, in one table: what it does,
// whether it changes the simulation or only what is watched, and its line
// in the help ("--help" and the help panel). The session records and
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

struct Key {
    KeyKind kind = KeyKind::Letter;
    int code = 0;                // key code, character or button
    const char* name = nullptr;  // as the man page names it
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
