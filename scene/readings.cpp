#include "scene/readings.h"

#include "platform/clock.h"

namespace {

PickRaySource pickRaySource = nullptr;

struct LiveReadings final : Readings {
    int clock() override { return elapsedMilliseconds(); }
    Vector3 pickRay(int x, int y, const Vector3& ahead) override {
        if (pickRaySource != nullptr) return pickRaySource(x, y);
        return Unit(ahead);
    }
};

}  // namespace

void setPickRaySource(PickRaySource source) { pickRaySource = source; }

Readings& liveReadings() {
    static LiveReadings live;
    return live;
}
