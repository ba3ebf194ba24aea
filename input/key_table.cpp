#include "input/key_table.h"

#include "input/key_codes.h"

namespace {

constexpr Key special(int code, const char* name) { return {KeyKind::Special, code, name}; }
constexpr Key letter(char code, const char* name) { return {KeyKind::Letter, code, name}; }
constexpr Key button(int code, const char* name) { return {KeyKind::Button, code, name}; }

constexpr KeyRole kSim = KeyRole::Simulation;
constexpr KeyRole kView = KeyRole::View;

}  // namespace

const KeyLine kKeyLines[] = {
    {"Esc", "quit", kView, {letter(27, "Escape")}},
    {"F1 / F2", "faster / slower", kSim, {special(kKeyF1, "F1"), special(kKeyF2, "F2")}},
    {"F3 / F4", "chase the selected ball (0) / free camera", kSim, {special(kKeyF3, "F3"), special(kKeyF4, "F4")}},
    {"F5 / F6", "automatic fire / throw mode", kSim, {special(kKeyF5, "F5"), special(kKeyF6, "F6")}},
    {"F7", "sound on / off", kSim, {special(kKeyF7, "F7")}},
    {"F8", "reset (new balls, shots and flashes cleared)", kSim, {special(kKeyF8, "F8")}},
    {"Up / Down", "camera forward / back (wheel, middle drag too)", kView, {special(kKeyUp, "Up"), special(kKeyDown, "Down")}},
    {"Left / Right", "circle the camera (middle-button drag too)", kView,
     {special(kKeyLeft, "Left"), special(kKeyRight, "Right")}},
    {"Home", "free camera back to its start", kView, {special(kKeyHome, "Home")}},
    {"Left btn", "fire (throw in throw mode)", kSim, {button(kLeftButton, "left mouse button")}},
    {"Right btn", "fire and follow the shot", kSim, {button(kRightButton, "right mouse button")}},
    {"P / O", "pause / one step while paused (O held: 10/s)", kView, {letter('p', "P"), letter('o', "O")}},
    {"B", "one step back while paused (held: 10/s)", kView, {letter('b', "B")}},
    {"PgUp / PgDn", "pause, 100 steps back / forward", kView,
     {special(kKeyPageUp, "Page Up"), special(kKeyPageDown, "Page Down")}},
    {"Shift+PgUp/Dn", "to the first / last step kept", kView,
     {special(kKeyPageUp, nullptr), special(kKeyPageDown, nullptr)}},
    {"V / H", "collision view / this help", kView, {letter('v', "V"), letter('h', "H")}},
    {"Shift+V", "collision view layers, in turn", kView, {letter('V', nullptr)}},
    {"S", "save a screenshot (PNG)", kView, {letter('s', "S")}},
    {"I", "inspect: click selects a ball, hold drags it", kView, {letter('i', "I")}},
    {"G", "grab / let go the selected ball", kView, {letter('g', "G")}},
    {"M", "smooth motion on / off", kView, {letter('m', "M")}},
};

const int kKeyLineCount = sizeof kKeyLines / sizeof kKeyLines[0];

const KeyLine* findKey(KeyKind kind, int code) {
    for (const KeyLine& line : kKeyLines) {
        for (const Key& key : line.keys) {
            if (key.name != nullptr && key.kind == kind && key.code == code) return &line;
        }
    }
    return nullptr;
}
