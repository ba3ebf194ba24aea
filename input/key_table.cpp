#include "input/key_table.h"

#include "input/key_codes.h"

namespace {

using A = KeyAction;

constexpr Key special(int code, const char* name, KeyAction action) { return {KeyKind::Special, code, name, action}; }
constexpr Key shifted(int code, KeyAction action) { return {KeyKind::Special, code, nullptr, action, true}; }
constexpr Key letter(char code, const char* name, KeyAction action) { return {KeyKind::Letter, code, name, action}; }
constexpr Key button(int code, const char* name, KeyAction action) { return {KeyKind::Button, code, name, action}; }

constexpr KeyRole kSim = KeyRole::Simulation;
constexpr KeyRole kView = KeyRole::View;

}  // namespace

const KeyLine kKeyLines[] = {
    {"Esc", "quit", kView, {letter(27, "Escape", A::Quit)}},
    {"F1 / F2", "faster / slower", kSim, {special(kKeyF1, "F1", A::Faster), special(kKeyF2, "F2", A::Slower)}},
    {"F3 / F4", "chase the selected ball (0) / free camera", kSim,
     {special(kKeyF3, "F3", A::ChaseBall), special(kKeyF4, "F4", A::FreeCamera)}},
    {"F5 / F6", "automatic fire / throw mode", kSim,
     {special(kKeyF5, "F5", A::AutoFire), special(kKeyF6, "F6", A::ThrowMode)}},
    {"F7", "sound on / off", kSim, {special(kKeyF7, "F7", A::Sound)}},
    {"F8", "reset (new balls, shots and flashes cleared)", kSim, {special(kKeyF8, "F8", A::Reset)}},
    {"Up / Down", "camera forward / back (wheel, middle drag too)", kView,
     {special(kKeyUp, "Up", A::CameraForward), special(kKeyDown, "Down", A::CameraBack)}},
    {"Left / Right", "circle the camera (middle-button drag too)", kView,
     {special(kKeyLeft, "Left", A::CircleLeft), special(kKeyRight, "Right", A::CircleRight)}},
    {"Home", "free camera back to its start", kView, {special(kKeyHome, "Home", A::CameraHome)}},
    {"Left btn", "fire (throw in throw mode)", kSim, {button(kLeftButton, "left mouse button", A::Fire)}},
    {"Right btn", "fire and follow the shot", kSim, {button(kRightButton, "right mouse button", A::FireAndFollow)}},
    {"P / O", "pause / one step while paused (O held: 10/s)", kView,
     {letter('p', "P", A::Pause), letter('o', "O", A::SingleStep)}},
    {"B", "one step back while paused (held: 10/s)", kView, {letter('b', "B", A::StepBack)}},
    {"PgUp / PgDn", "pause, 100 steps back / forward", kView,
     {special(kKeyPageUp, "Page Up", A::HundredBack), special(kKeyPageDown, "Page Down", A::HundredForward)}},
    {"Shift+PgUp/Dn", "to the first / last step kept", kView,
     {shifted(kKeyPageUp, A::FirstKept), shifted(kKeyPageDown, A::LastKept)}},
    {"V / H", "collision view / this help", kView, {letter('v', "V", A::CollisionView), letter('h', "H", A::Help)}},
    {"Shift+V", "collision view layers, in turn", kView, {letter('V', nullptr, A::CollisionLayers)}},
    {"S", "save a screenshot (PNG)", kView, {letter('s', "S", A::Screenshot)}},
    {"I", "inspect: click selects a ball, hold drags it", kView, {letter('i', "I", A::Inspect)}},
    {"G", "grab / let go the selected ball", kView, {letter('g', "G", A::Grab)}},
    {"M", "smooth motion on / off", kView, {letter('m', "M", A::SmoothMotion)}},
    {"D / T", "data table / plots and timeline", kView,
     {letter('d', "D", A::DataPanel), letter('t', "T", A::PlotPanel)}},
    {"L / N", "paths (selected ball, all, off) / value labels", kView,
     {letter('l', "L", A::Paths), letter('n', "N", A::ValueLabels)}},
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

const Key* keyFor(KeyKind kind, int code, int modifiers) {
    const bool shift = kind == KeyKind::Special && (modifiers & kModifierShift) != 0;
    const Key* plain = nullptr;
    for (const KeyLine& line : kKeyLines) {
        for (const Key& key : line.keys) {
            if (key.action == KeyAction::None || key.kind != kind || key.code != code) continue;
            if (key.shift == shift) return &key;
            if (!key.shift) plain = &key;
        }
    }
    if (plain == nullptr && kind == KeyKind::Letter && code >= 'A' && code <= 'Z') return keyFor(kind, code | 0x20, 0);
    return plain;
}
