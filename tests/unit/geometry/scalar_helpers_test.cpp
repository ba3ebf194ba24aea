#include "geometry/scalar_helpers.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/random_source.h"

namespace {
RandomGenerator generator;
}

TEST(ScalarHelpers, SquareAndDegToRad) {
    EXPECT_EQ(Square(-3.0), 9.0);
    EXPECT_EQ(Square(0.5), 0.25);
    EXPECT_EQ(DegToRad(180.0), 3.141592653589793);
    EXPECT_EQ(DegToRad(-2.0), -0.034906585039886591);
    EXPECT_EQ(DegToRad(0.0), 0.0);
    // Multiplied by pi first, then divided by 180.
    EXPECT_EQ(DegToRad(1.0), 3.141592653589793 / 180.0);
    EXPECT_EQ(DegToRad(7.0), 7.0 * 3.141592653589793 / 180.0);
}

TEST(ScalarHelpers, FloatDegreesGiveUnroundedDoubleRadians) {
    const float tenth = 0.1f;
    const double radians = DegToRad(tenth);
    EXPECT_EQ(radians, DegToRad(static_cast<double>(tenth)));
    EXPECT_NE(radians, static_cast<double>(static_cast<float>(radians)));
    EXPECT_EQ(DegToRad(-2.0f), DegToRad(-2.0));
}

TEST(ScalarHelpers, Clamp) {
    EXPECT_EQ(Clamp(0, 1, 45), 1);
    EXPECT_EQ(Clamp(99, 1, 45), 45);
    EXPECT_EQ(Clamp(20, 5, 20), 20);
    EXPECT_EQ(Clamp(5, 5, 20), 5);
    EXPECT_EQ(Clamp(12, 5, 20), 12);
    // The lower bound is tested first.
    EXPECT_EQ(Clamp(3, 10, 5), 10);
    EXPECT_EQ(Clamp(7, 10, 5), 10);
    EXPECT_EQ(Clamp(10, 10, 5), 5);
    EXPECT_EQ(Clamp(50, 10, 5), 5);
}

TEST(RandomNumber, PositiveRangeReachesBothEndsInFifteenBitSteps) {
    seedRandom(generator, 12345);
    std::set<float> seen;
    for (int i = 0; i < 600000; ++i) {
        const float value = RandomNumber(generator, 1);
        ASSERT_GE(value, 0.0f);
        ASSERT_LE(value, 1.0f);
        seen.insert(value);
    }
    EXPECT_EQ(*seen.begin(), 0.0f);
    EXPECT_EQ(*seen.rbegin(), 1.0f);
    // Exactly the 32768 values of a 15-bit draw, all of them reached.
    EXPECT_EQ(seen.size(), 32768u);
}

TEST(RandomNumber, SignedRangeIsSlightlyWiderAboveZero) {
    seedRandom(generator, 777);
    std::set<float> seen;
    for (int i = 0; i < 600000; ++i) seen.insert(RandomNumber(generator, 0));
    EXPECT_EQ(*seen.begin(), -1.0f);
    EXPECT_EQ(*seen.rbegin(), 16384.0f / 16383.0f);
    EXPECT_GT(*seen.rbegin(), 1.0f);
    EXPECT_EQ(seen.count(0.0f), 1u);
    EXPECT_EQ(seen.size(), 32768u);
}

TEST(RandomNumber, SeedReplaysTheSequence) {
    seedRandom(generator, 42);
    float first[20];
    for (float& value : first) value = RandomNumber(generator, 1);
    seedRandom(generator, 42);
    for (float value : first) EXPECT_EQ(RandomNumber(generator, 1), value);
    seedRandom(generator, 43);
    int same = 0;
    for (float value : first) same += RandomNumber(generator, 1) == value ? 1 : 0;
    EXPECT_LT(same, 5);
}
