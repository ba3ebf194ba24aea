#include <gtest/gtest.h>

#include "effects/explosion_pool.h"
#include "effects/inspect_mode.h"
#include <climits>
#include "tests/support/fakes.h"
#include "tests/support/test_readings.h"
#include "tests/support/test_simulation.h"

namespace {

// Moves on by one millisecond at every reading.
int ticking() { return fakes::clockNow()++; }

// The end of a step at the clock's time now: its scene time, then the fade.
void fadeNow() {
    sim.stepSceneTime = sceneMilliseconds(sim, testReadings());
    fadeExplosions(sim);
}

class ExplosionPoolTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetTestState();
        fakes::install(10000);
    }
    void TearDown() override { fakes::uninstall(); }
};

TEST_F(ExplosionPoolTest, SparkSpawnedJustBeforeTheClockWrapsStillFades) {
    fakes::clockNow() = INT_MAX - 100;
    spawnExplosion(sim, Vector3(), 0, testReadings());

    // About 200 ms on, past the wrap: partly faded (the float readings are
    // coarse out here).
    fakes::clockNow() = INT_MIN + 100;
    fadeNow();
    EXPECT_GT(sim.explosions[0].alpha, 0.0f);
    EXPECT_LT(sim.explosions[0].alpha, 1.0f);

    fakes::clockNow() = INT_MIN + 500;
    fadeNow();
    EXPECT_LE(sim.explosions[0].alpha, 0.0f);
}

TEST_F(ExplosionPoolTest, SparkAndBlastStartFromTheirKind) {
    spawnExplosion(sim, Vector3(1.0, 2.0, 3.0), 0, testReadings());
    fakes::clockNow() = 12345;
    spawnExplosion(sim, Vector3(-4.0, 5.0, -6.0), 1, testReadings());

    const Explosion& spark = sim.explosions[0];
    EXPECT_EQ(spark.alpha, 1.0f);
    EXPECT_EQ(spark.alphaStart, 1.0f);
    EXPECT_EQ(spark.alphaEnd, 0.0f);
    EXPECT_EQ(spark.scaleStart, 0.5f);
    EXPECT_EQ(spark.scaleEnd, 1.0f);
    EXPECT_EQ(spark.duration, 500.0f);
    EXPECT_EQ(spark.textureIndex, 1);
    EXPECT_EQ(spark.startTime, 10000.0f);
    EXPECT_EQ(spark.position.x, 1.0);
    EXPECT_EQ(spark.position.z, 3.0);

    const Explosion& blast = sim.explosions[1];
    EXPECT_EQ(blast.alpha, 1.0f);
    EXPECT_EQ(blast.scaleStart, 0.5f);
    EXPECT_EQ(blast.scaleEnd, 3.0f);
    EXPECT_EQ(blast.duration, 3000.0f);
    EXPECT_EQ(blast.textureIndex, 5);
    EXPECT_EQ(blast.startTime, 12345.0f);
    EXPECT_EQ(blast.position.y, 5.0);
}

TEST_F(ExplosionPoolTest, UnknownKindIsTakenAsBlastSoTheTextureStaysInRange) {
    spawnExplosion(sim, Vector3(0.0, 0.0, 0.0), 7, testReadings());
    spawnExplosion(sim, Vector3(0.0, 0.0, 0.0), -1, testReadings());
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(sim.explosions[i].textureIndex, 5);
        EXPECT_EQ(sim.explosions[i].duration, 3000.0f);
        EXPECT_EQ(sim.explosions[i].scaleEnd, 3.0f);
    }
}

TEST_F(ExplosionPoolTest, SparkFadesAndGrowsThenFreesItsRecord) {
    spawnExplosion(sim, Vector3(0.0, 0.0, 0.0), 0, testReadings());

    fakes::clockNow() = 10250;
    fadeNow();
    EXPECT_EQ(sim.explosions[0].alpha, 0.5f);
    EXPECT_EQ(sim.explosions[0].scale, 0.75f);

    fakes::clockNow() = 10499;
    fadeNow();
    EXPECT_GT(sim.explosions[0].alpha, 0.0f);

    // Neither value is clamped once the time is up.
    fakes::clockNow() = 10600;
    fadeNow();
    EXPECT_FLOAT_EQ(sim.explosions[0].alpha, -0.2f);
    EXPECT_FLOAT_EQ(sim.explosions[0].scale, 1.1f);

    // Free now: the next spawn reuses record 0.
    spawnExplosion(sim, Vector3(9.0, 9.0, 9.0), 0, testReadings());
    EXPECT_EQ(sim.explosions[0].startTime, 10600.0f);
    EXPECT_EQ(sim.explosions[0].alpha, 1.0f);
    EXPECT_FLOAT_EQ(sim.explosions[1].alpha, 0.0f);
}

TEST_F(ExplosionPoolTest, SparkIsFreeAtExactlyItsEnd) {
    spawnExplosion(sim, Vector3(0.0, 0.0, 0.0), 0, testReadings());
    fakes::clockNow() = 10500;
    fadeNow();
    EXPECT_LE(sim.explosions[0].alpha, 0.0f);
    EXPECT_EQ(sim.explosions[0].scale, 1.0f);
}

TEST_F(ExplosionPoolTest, BlastIsHalfFadedAfterHalfItsLife) {
    spawnExplosion(sim, Vector3(0.0, 0.0, 0.0), 1, testReadings());
    fakes::clockNow() = 11500;
    fadeNow();
    EXPECT_EQ(sim.explosions[0].alpha, 0.5f);
    EXPECT_EQ(sim.explosions[0].scale, 1.75f);
}

TEST_F(ExplosionPoolTest, FadeTakesTheStepsSceneTimeAndReadsNoClock) {
    spawnExplosion(sim, Vector3(0.0, 0.0, 0.0), 0, testReadings());
    setClockSource(ticking);
    fakes::clockNow() = 10900;
    sim.stepSceneTime = 10250;
    fadeExplosions(sim);
    EXPECT_EQ(sim.explosions[0].alpha, 0.5f);
    EXPECT_EQ(sim.explosions[0].scale, 0.75f);
    EXPECT_EQ(fakes::clockNow(), 10900);
}

TEST_F(ExplosionPoolTest, FadeLeavesFreeRecordsAlone) {
    // A never-used record has duration 0; fading it must not turn it into
    // something that looks in use.
    fadeNow();
    EXPECT_EQ(sim.explosions[3].alpha, 0.0f);
    EXPECT_EQ(sim.explosions[3].scale, 0.0f);
}

TEST_F(ExplosionPoolTest, FullPoolDropsTheFlashAndLowestFreedRecordIsReused) {
    for (int i = 0; i < kExplosionCount; ++i) {
        fakes::clockNow() = 10000 + i;
        spawnExplosion(sim, Vector3(i, 0.0, 0.0), 0, testReadings());
    }
    for (int i = 0; i < kExplosionCount; ++i) EXPECT_EQ(sim.explosions[i].startTime, 10000.0f + i);

    fakes::clockNow() = 10100;
    spawnExplosion(sim, Vector3(-1.0, -1.0, -1.0), 1, testReadings());
    for (int i = 0; i < kExplosionCount; ++i) {
        EXPECT_EQ(sim.explosions[i].startTime, 10000.0f + i) << i;
        EXPECT_EQ(sim.explosions[i].textureIndex, 1) << i;
    }

    // Records 7 and 20 run out; the next spawn takes 7.
    for (int i = 0; i < kExplosionCount; ++i) {
        if (i != 7 && i != 20) sim.explosions[i].duration = 1e9f;
    }
    fakes::clockNow() = 20000;
    fadeNow();
    spawnExplosion(sim, Vector3(-1.0, -1.0, -1.0), 1, testReadings());
    EXPECT_EQ(sim.explosions[7].textureIndex, 5);
    EXPECT_EQ(sim.explosions[7].startTime, 20000.0f);
    EXPECT_EQ(sim.explosions[7].position.x, -1.0);
    EXPECT_LE(sim.explosions[20].alpha, 0.0f);
}

TEST_F(ExplosionPoolTest, SpawnOverwritesStaleValuesOfAFreeRecord) {
    Explosion& stale = sim.explosions[0];
    stale.alpha = -0.3f;
    stale.alphaStart = 7.0f;
    stale.alphaEnd = 7.0f;
    stale.scaleStart = 7.0f;
    stale.scaleEnd = 7.0f;
    stale.scale = 7.0f;
    stale.duration = 7.0f;
    stale.textureIndex = 7;
    spawnExplosion(sim, Vector3(0.0, 0.0, 0.0), 0, testReadings());
    EXPECT_EQ(stale.alpha, 1.0f);
    EXPECT_EQ(stale.alphaStart, 1.0f);
    EXPECT_EQ(stale.alphaEnd, 0.0f);
    EXPECT_EQ(stale.scaleStart, 0.5f);
    EXPECT_EQ(stale.scaleEnd, 1.0f);
    EXPECT_EQ(stale.scale, 1.0f);
    EXPECT_EQ(stale.duration, 500.0f);
    EXPECT_EQ(stale.textureIndex, 1);
}

}  // namespace
