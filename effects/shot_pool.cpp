#include "effects/shot_pool.h"

#include "geometry/matrix3.h"
#include "geometry/scalar_helpers.h"
#include "geometry/trig.h"
#include "platform/clock.h"

namespace {
constexpr int kShotIntervalMs = 200;
constexpr int kShotLife = 6;
}  // namespace

bool shotLaunchAllowed(const Simulation& s, Readings& readings) {
    return millisecondsBetween(s.lastShotTime, readings.clock()) > kShotIntervalMs;
}

int launchShotAlong(Simulation& s, const Vector3& d, Readings& readings) {
    for (int k = 0; k < kShotCount; ++k) {
        Shot& shot = s.shots[k];
        if (shot.life != 0) continue;
        shot.life = kShotLife;
        shot.position = s.controls.cameraPosition;
        shot.previousPosition = s.controls.cameraPosition;
        Scale(d, kShotSpeed, shot.velocity);
        // Read again: the direction may have taken time to work out.
        s.lastShotTime = readings.clock();
        return k;
    }
    // All live: lastShotTime stays, so the first record freed is used at once.
    return -1;
}

void autoFireShot(Simulation& s, Readings& readings) {
    // Checked before the draws so that a held-back step leaves the random
    // sequence untouched.
    if (!shotLaunchAllowed(s, readings)) return;
    const float r1 = RandomNumber(s.random, 0);
    const float r2 = RandomNumber(s.random, 0);
    const float elevation = 15.0f * r2;
    const float azimuth = 180.0f + 10.0f * r1;
    const Vector3 d0 = directionFromAngles(elevation, azimuth);
    // The spread turns with the camera; d0 is already of unit length.
    const Matrix3 yaw(0.0, DegToRad(s.controls.cameraYaw), 0.0);
    launchShotAlong(s, yaw * d0, readings);
}

Vector3 directionFromAngles(float elevation, float azimuth) {
    const float e = static_cast<float>(DegToRad(elevation));
    const float a = static_cast<float>(DegToRad(azimuth));
    const double ed = e;
    const double ad = a;
    const float x = static_cast<float>(-Cos(ed) * Sin(ad));
    const float y = static_cast<float>(Sin(ed));
    const float z = static_cast<float>(Cos(ad) * Cos(ed));
    return Vector3(x, y, z);
}
