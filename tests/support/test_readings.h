#pragma once

// The readings the tests below app/ hand to what they test: the installed
// (fake) clock, and the pick ray a test sets; without one every point looks
// along the free camera's view, as without a window.

#include "platform/clock.h"
#include "scene/readings.h"

struct TestReadings final : Readings {
    Vector3 (*pickRaySource)(int x, int y) = nullptr;

    int clock() override { return elapsedMilliseconds(); }
    Vector3 pickRay(int x, int y, const Vector3& ahead) override {
        if (pickRaySource != nullptr) return pickRaySource(x, y);
        return Unit(ahead);
    }
};

inline TestReadings& testReadings() {
    static TestReadings readings;
    return readings;
}
