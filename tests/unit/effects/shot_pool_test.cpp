#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "effects/shot_pool.h"
#include "geometry/scalar_helpers.h"
#include "platform/random_source.h"
#include "tests/support/fakes.h"
#include "tests/support/test_readings.h"
#include "tests/support/test_simulation.h"

namespace {

const double kRadiansToDegrees = 180.0 / 3.141592653589793;

bool isFloatValue(double v) { return static_cast<double>(static_cast<float>(v)) == v; }

double angleBetweenDegrees(const Vector3& a, const Vector3& b) {
    double c = Dot(a, b) / (a.Length() * b.Length());
    if (c > 1.0) c = 1.0;
    return std::acos(c) * kRadiansToDegrees;
}

class ShotPoolTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetTestState();
        fakes::install(0);
        seedRandom(sim.random, 1234);
    }
    void TearDown() override { fakes::uninstall(); }

    int liveShots() const {
        int n = 0;
        for (const Shot& shot : sim.shots) n += shot.life != 0 ? 1 : 0;
        return n;
    }
};

// The toolkit's int counter wraps after 24.8 days; the 200 ms limit holds
// across the wrap as it does anywhere else.
TEST_F(ShotPoolTest, RateLimitHoldsAcrossTheClockWrap) {
    struct Case {
        int lastShot;
        int now;
        long long elapsed;
        bool allowed;
    };
    const Case cases[] = {
        {1000, 1200, 200, false},
        {1000, 1201, 201, true},
        {-1, 200, 201, true},
        {INT_MAX - 100, INT_MAX, 100, false},
        {INT_MAX - 100, INT_MIN + 99, 200, false},  // over the wrap
        {INT_MAX - 100, INT_MIN + 100, 201, true},
        {INT_MIN, INT_MAX, 4294967295LL, true},
    };
    for (const Case& c : cases) {
        sim.lastShotTime = c.lastShot;
        fakes::clockNow() = c.now;
        EXPECT_EQ(millisecondsBetween(c.lastShot, c.now), c.elapsed) << c.lastShot << " -> " << c.now;
        EXPECT_EQ(shotLaunchAllowed(sim, testReadings()), c.allowed) << c.lastShot << " -> " << c.now;
    }
}

TEST_F(ShotPoolTest, LaunchAllowedOnlyAfterMoreThan200Ms) {
    fakes::clockNow() = 200;
    EXPECT_FALSE(shotLaunchAllowed(sim, testReadings()));
    fakes::clockNow() = 201;
    EXPECT_TRUE(shotLaunchAllowed(sim, testReadings()));
    sim.lastShotTime = 5000;
    fakes::clockNow() = 5200;
    EXPECT_FALSE(shotLaunchAllowed(sim, testReadings()));
    fakes::clockNow() = 5201;
    EXPECT_TRUE(shotLaunchAllowed(sim, testReadings()));
}

TEST_F(ShotPoolTest, LaunchPutsAShotAtTheCameraInTheLowestFreeRecord) {
    sim.shots[0].life = 3;
    sim.shots[1].life = -1;  // not zero: still counts as live
    sim.controls.cameraPosition = Vector3(10.0, 20.0, 30.0);
    fakes::clockNow() = 777;
    Vector3 d(0.0, 0.6, -0.8);
    d.Normalise();

    EXPECT_EQ(launchShotAlong(sim, d, testReadings()), 2);
    const Shot& shot = sim.shots[2];
    EXPECT_EQ(shot.life, 6);
    EXPECT_EQ(shot.position.x, 10.0);
    EXPECT_EQ(shot.position.z, 30.0);
    EXPECT_EQ(shot.previousPosition.y, 20.0);
    EXPECT_EQ(shot.previousPosition.z, 30.0);
    EXPECT_EQ(shot.velocity.x, 0.0);
    EXPECT_EQ(shot.velocity.y, d.y * 60.0);
    EXPECT_EQ(shot.velocity.z, d.z * 60.0);
    EXPECT_EQ(shot.velocity.status, StatusOrdinary);
    EXPECT_EQ(sim.lastShotTime, 777);
    EXPECT_EQ(sim.shots[0].life, 3);
    EXPECT_EQ(sim.shots[1].life, -1);
}

TEST_F(ShotPoolTest, FullPoolLaunchesNothingAndKeepsLastShotTime) {
    for (int i = 0; i < kShotCount; ++i) {
        fakes::clockNow() += 201;
        EXPECT_EQ(launchShotAlong(sim, Vector3(0.0, 0.0, -1.0), testReadings()), i);
    }
    const int last = sim.lastShotTime;
    fakes::clockNow() += 5000;
    EXPECT_EQ(launchShotAlong(sim, Vector3(0.0, 0.0, -1.0), testReadings()), -1);
    EXPECT_EQ(sim.lastShotTime, last);

    // Automatic fire also finds no room; once a record frees up it fires at
    // once, without waiting another 200 ms.
    autoFireShot(sim, testReadings());
    EXPECT_EQ(sim.lastShotTime, last);
    sim.shots[12].life = 0;
    autoFireShot(sim, testReadings());
    EXPECT_EQ(sim.shots[12].life, 6);
    EXPECT_EQ(sim.lastShotTime, fakes::clockNow());
}

TEST_F(ShotPoolTest, DirectionFromAnglesLooksAlongMinusZAndUp) {
    const Vector3 ahead = directionFromAngles(0.0f, 180.0f);
    EXPECT_NEAR(ahead.x, 0.0, 1e-6);
    EXPECT_EQ(ahead.y, 0.0);
    EXPECT_NEAR(ahead.z, -1.0, 1e-7);
    EXPECT_EQ(ahead.status, StatusOrdinary);

    const Vector3 up = directionFromAngles(90.0f, 180.0f);
    EXPECT_NEAR(up.x, 0.0, 1e-6);
    EXPECT_NEAR(up.y, 1.0, 1e-7);
    EXPECT_NEAR(up.z, 0.0, 1e-6);
    EXPECT_EQ(up.status, StatusOrdinary);

    // A larger azimuth swings toward +x, a positive elevation tilts up.
    const Vector3 swung = directionFromAngles(10.0f, 190.0f);
    EXPECT_GT(swung.x, 0.0);
    EXPECT_GT(swung.y, 0.0);
    EXPECT_LT(swung.z, 0.0);
    EXPECT_NEAR(swung.Length(), 1.0, 1e-6);
}

TEST_F(ShotPoolTest, DirectionFromAnglesComponentsAreFloatValues) {
    const float angles[][2] = {{0.0f, 180.0f}, {13.7f, 171.3f}, {-14.9f, 189.99f}, {3.3f, 0.1f}};
    for (const auto& pair : angles) {
        const Vector3 v = directionFromAngles(pair[0], pair[1]);
        EXPECT_TRUE(isFloatValue(v.x)) << pair[0] << " " << pair[1];
        EXPECT_TRUE(isFloatValue(v.y)) << pair[0] << " " << pair[1];
        EXPECT_TRUE(isFloatValue(v.z)) << pair[0] << " " << pair[1];
    }
    // Both angles are kept as floats: the tiny leftovers come from float pi
    // and float pi/2 (double angles would leave about 1e-16, of either sign).
    EXPECT_GT(directionFromAngles(0.0f, 180.0f).x, 1e-8);
    EXPECT_GT(directionFromAngles(90.0f, 180.0f).z, 1e-8);
}

TEST_F(ShotPoolTest, AutoFireHeldBackDrawsNoRandomNumbers) {
    seedRandom(sim.random, 99);
    const int expected = randomInt15(sim.random);
    seedRandom(sim.random, 99);

    sim.lastShotTime = 1000;
    fakes::clockNow() = 1200;
    autoFireShot(sim, testReadings());
    EXPECT_EQ(liveShots(), 0);
    EXPECT_EQ(sim.lastShotTime, 1000);
    EXPECT_EQ(randomInt15(sim.random), expected);
}

TEST_F(ShotPoolTest, AutoFireUsesFirstDrawForAzimuthAndSecondForElevation) {
    seedRandom(sim.random, 4242);
    const float r1 = RandomNumber(sim.random, 0);
    const float r2 = RandomNumber(sim.random, 0);
    seedRandom(sim.random, 4242);

    fakes::clockNow() = 201;
    autoFireShot(sim, testReadings());
    ASSERT_EQ(sim.shots[0].life, 6);
    const Vector3& v = sim.shots[0].velocity;
    const double elevation = std::asin(v.y / v.Length()) * kRadiansToDegrees;
    const double azimuth = std::atan2(v.x, -v.z) * kRadiansToDegrees;
    EXPECT_NEAR(elevation, 15.0 * r2, 1e-4);
    EXPECT_NEAR(azimuth, 10.0 * r1, 1e-4);
    EXPECT_EQ(sim.lastShotTime, 201);
}

TEST_F(ShotPoolTest, AutoFireScattersWithinItsCone) {
    for (int n = 0; n < 300; ++n) {
        sim.shots[0].life = 0;
        fakes::clockNow() += 201;
        autoFireShot(sim, testReadings());
        ASSERT_EQ(sim.shots[0].life, 6);
        const Vector3& v = sim.shots[0].velocity;
        EXPECT_NEAR(v.Length(), 60.0, 1e-5);
        const double elevation = std::asin(v.y / v.Length()) * kRadiansToDegrees;
        const double azimuth = std::atan2(v.x, -v.z) * kRadiansToDegrees;
        // RandomNumber(sim.random, 0) reaches 16384/16383 on the positive side.
        EXPECT_LE(std::fabs(elevation), 15.001);
        EXPECT_LE(std::fabs(azimuth), 10.001);
    }
}

TEST_F(ShotPoolTest, AutoFireTurnsWithTheCamera) {
    // Turn right by 30 degrees the way the step does.
    for (int i = 0; i < 15; ++i) {
        sim.controls.viewDirection = sim.turnRightMatrix * sim.controls.viewDirection;
        sim.controls.cameraYaw += 2.0f;
    }
    double largest = 0.0;
    for (int n = 0; n < 100; ++n) {
        sim.shots[0].life = 0;
        fakes::clockNow() += 201;
        autoFireShot(sim, testReadings());
        ASSERT_EQ(sim.shots[0].life, 6);
        const double angle = angleBetweenDegrees(sim.shots[0].velocity, sim.controls.viewDirection);
        if (angle > largest) largest = angle;
    }
    // Corner of the scatter: 15 degrees up and 10 to the side is about 18.
    EXPECT_LE(largest, 18.1);
}

}  // namespace
