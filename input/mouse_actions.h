#pragma once

#include "geometry/vector3.h"

// Unit world direction under a window point (origin top left). The program
// installs the GL unprojection; tests install their own.
using PickRaySource = Vector3 (*)(int x, int y);
void setPickRaySource(PickRaySource source);
// The source installed now (null without a window).
PickRaySource installedPickRaySource();
Vector3 pickRayDirection(int x, int y);

// Button and motion events, as the toolkit reports them.
void handleMouseButton(int button, int state, int x, int y);
void handleMouseMotion(int x, int y);

// A shot from the camera through the window point: its index, or -1.
int fireShot(int x, int y);
// A new ball from the camera through the window point, at most one a second.
void launchBall(int x, int y);
