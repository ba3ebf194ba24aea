#pragma once

// The program's icon, one lit ball on a transparent ground, drawn at any
// size: make_assets writes it as the desktop's PNGs, and the window hands
// it to the window manager, so both show the same picture.

#include <vector>

// The sizes the desktop files come in.
constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// The ball's colour and the light from the upper left, towards the viewer,
// shared with the scalable icon.
constexpr double kIconBallColour[3] = {0.95, 0.42, 0.12};
constexpr double kIconLight[3] = {-0.48, 0.56, 0.675};
constexpr double kIconMargin = 2.5 / 48;  // of the icon's width, round the ball

// size x size pixels, RGBA, top row first; edges smoothed by 4 x 4 samples
// per pixel.
std::vector<unsigned char> iconPixels(int size);
