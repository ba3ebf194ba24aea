#pragma once

// A display list whose geometry is built for one radius: the name the GL gave
// it (0 while none has been asked for) and the radius it was compiled at.
struct RadiusKeyedList {
    unsigned int name = 0;
    int radius = 0;

    // Compile again before drawing at `wanted`: never compiled yet, or
    // compiled for another radius.
    bool needsRebuild(int wanted) const { return name == 0 || radius != wanted; }
};
