#include "app/live_readings.h"

#include "platform/clock.h"

namespace {

struct LiveReadings final : Readings {
    PickRaySource pickRaySource = nullptr;

    int clock() override { return elapsedMilliseconds(); }
    Vector3 pickRay(int x, int y, const Vector3& ahead) override {
        if (pickRaySource != nullptr) return pickRaySource(x, y);
        return Unit(ahead);
    }
};

LiveReadings installed;

}  // namespace

void setPickRaySource(PickRaySource source) { installed.pickRaySource = source; }

Readings& liveReadings() { return installed; }
