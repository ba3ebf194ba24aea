#pragma once

// What the toolkit does not tell about the desktop window: the keyboard
// focus going to another window, and the window destroyed by another
// client. Watched on a connection of our own to the X server, so the
// toolkit's event mask and queue stay as they are.

// What happened to the window since the last look.
struct WindowNews {
    bool focusLost = false;
    bool destroyed = false;
};

// Starts watching the current window (call once it exists). False when no
// connection could be had: then nothing is reported.
bool watchWindow();

// The news since the last call; reads only what has already arrived.
WindowNews windowNews();

// Asks the X server to send a held key's repeats as presses alone, without
// the release before each (which would make them look like new presses).
// False when the server cannot.
bool askRepeatsAsPresses();
