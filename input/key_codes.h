#pragma once

// The toolkit's key, button and modifier codes, so that the input logic can
// be compiled and tested without its headers.
constexpr int kKeyF1 = 1;
constexpr int kKeyF2 = 2;
constexpr int kKeyF3 = 3;
constexpr int kKeyF4 = 4;
constexpr int kKeyF5 = 5;
constexpr int kKeyF6 = 6;
constexpr int kKeyF7 = 7;
constexpr int kKeyF8 = 8;
constexpr int kKeyLeft = 100;
constexpr int kKeyUp = 101;
constexpr int kKeyRight = 102;
constexpr int kKeyDown = 103;
constexpr int kKeyPageUp = 104;
constexpr int kKeyPageDown = 105;
constexpr int kKeyHome = 106;

constexpr int kModifierShift = 1;
constexpr int kModifierCtrl = 2;
constexpr int kModifierAlt = 4;

constexpr int kLeftButton = 0;
constexpr int kMiddleButton = 1;
constexpr int kRightButton = 2;
// The toolkit reports a wheel notch as a press of one of these.
constexpr int kWheelForwardButton = 3;
constexpr int kWheelBackButton = 4;
constexpr int kButtonDown = 0;
constexpr int kButtonUp = 1;
