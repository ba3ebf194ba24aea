#include "app/live_readings.h"

#include "app/live_simulation.h"
#include "platform/clock.h"

int LiveReadings::clock() { return elapsedMilliseconds(); }

Vector3 LiveReadings::pickRay(int x, int y, const Vector3& ahead) {
    if (pickRaySource != nullptr) return pickRaySource(x, y);
    return Unit(ahead);
}

void setPickRaySource(PickRaySource source) { live.readings.pickRaySource = source; }

Readings& liveReadings() { return live.readings; }
