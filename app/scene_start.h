#pragma once

// Start-up's layout of the scene, shared by the desktop program and the
// page, in its fixed order: room and obstacles from the options already
// read, the quadric the drawing uses, the random seed, ball placement,
// ball colours, empty effects.
void layOutScene(unsigned int seed);
