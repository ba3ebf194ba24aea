#include "physics/ball_collision_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/random_source.h"
#include "scene/scene_layout.h"
#include "tests/support/test_simulation.h"

namespace {

using Search = bool (*)(const Simulation&, double, double&, int&, int&);

const double kUntouchedTime = -123.0;

struct Outcome {
    bool found = false;
    double time = kUntouchedTime;
    int i = -7;
    int j = -7;
};

Outcome run(Search search, double span) {
    Outcome o;
    o.found = search(sim, span, o.time, o.i, o.j);
    return o;
}

// Same answer to the bit, and the same untouched outputs when nothing is found.
bool identical(const Outcome& a, const Outcome& b) {
    return a.found == b.found && std::memcmp(&a.time, &b.time, sizeof a.time) == 0 && a.i == b.i && a.j == b.j;
}

std::string describe(const Outcome& o) {
    char text[96];
    std::snprintf(text, sizeof text, "found=%d time=%a (%.17g) pair=(%d,%d)", o.found ? 1 : 0, o.time, o.time, o.i,
                  o.j);
    return text;
}

// The sample times of a span, accumulated as the search does (index 1 up).
int sampleCount(double span) {
    const double h = span / 150;
    int n = 0;
    for (double s = 0.0; s < span; s = s + h) ++n;
    return n;
}

double sampleTime(double span, int k) {
    const double h = span / 150;
    double s = 0.0;
    for (int n = 0; n < k; ++n) s = s + h;
    return s;
}

class BallSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetTestState();
        sim.ballRadius = 20;
    }

    static void place(int k, const Vector3& position, const Vector3& velocity) {
        sim.ballPreviousPositions[k] = position;
        sim.ballPositions[k] = position;
        sim.ballVelocities[k] = velocity;
        sim.ballAlive[k] = 1;
    }

    // Runs both searches, insists they agree, and returns the answer.
    static Outcome search(double span) {
        const Outcome fast = run(findBallCollision, span);
        const Outcome plain = run(findBallCollisionSampled, span);
        EXPECT_TRUE(identical(fast, plain)) << "fast " << describe(fast) << "\nplain " << describe(plain);
        return fast;
    }
};

TEST_F(BallSearchTest, FewerThanTwoLiveBallsFindNothing) {
    Outcome none = search(0.3);
    EXPECT_FALSE(none.found);
    EXPECT_EQ(none.time, kUntouchedTime);
    EXPECT_EQ(none.i, -7);

    place(3, Vector3(0, 0, 0), Vector3(1, 0, 0));
    EXPECT_FALSE(search(0.3).found);

    // A dead ball right on top of the live one does not count.
    place(4, Vector3(1, 0, 0), Vector3(0, 0, 0));
    sim.ballAlive[4] = 0;
    none = search(0.3);
    EXPECT_FALSE(none.found);
    EXPECT_EQ(none.time, kUntouchedTime);
    EXPECT_EQ(none.j, -7);
}

TEST_F(BallSearchTest, EqualVelocitiesMeetOnlyIfAlreadyOverlapping) {
    place(2, Vector3(0, 0, 0), Vector3(0.5, -0.1, 0.5));
    place(5, Vector3(30, 0, 0), Vector3(0.5, -0.1, 0.5));
    const Outcome touching = search(0.3);
    EXPECT_TRUE(touching.found);
    EXPECT_EQ(touching.time, 0.0);
    EXPECT_EQ(touching.i, 2);
    EXPECT_EQ(touching.j, 5);

    place(5, Vector3(40, 0, 0), Vector3(0.5, -0.1, 0.5));  // exactly 2r apart: not overlapping
    EXPECT_FALSE(search(1000.0).found);
}

TEST_F(BallSearchTest, ExactlyTwoRadiiAtASampleIsNotAnOverlap) {
    // Closing at 2 per time unit from 100 apart; h = 1, so the centres are
    // exactly 40 apart at the sample s = 30. The first overlap is s = 31.
    place(0, Vector3(0, 0, 0), Vector3(1, 0, 0));
    place(1, Vector3(100, 0, 0), Vector3(-1, 0, 0));
    const Outcome o = search(150.0);
    EXPECT_TRUE(o.found);
    EXPECT_EQ(o.time, 30.0);
    EXPECT_EQ(o.i, 0);
    EXPECT_EQ(o.j, 1);

    // The same off the line of motion: 32 along and 24 across at s = 30.
    place(1, Vector3(92, 24, 0), Vector3(-1, 0, 0));
    const Outcome oblique = search(150.0);
    EXPECT_TRUE(oblique.found);
    EXPECT_EQ(oblique.time, 30.0);
}

TEST_F(BallSearchTest, GrazingPaths) {
    // The path passes exactly 2r from the other centre: sampled, never overlapping.
    place(0, Vector3(-100, 40, 0), Vector3(1, 0, 0));
    place(1, Vector3(0, 0, 0), Vector3(0, 0, 0));
    EXPECT_FALSE(search(150.0).found);

    // At 39.9 the overlap lasts |s - 100| < 2.8267: first sample 98.
    place(0, Vector3(-100, 39.9, 0), Vector3(1, 0, 0));
    const Outcome o = search(150.0);
    EXPECT_TRUE(o.found);
    EXPECT_EQ(o.time, 97.0);

    // A glancing contact shorter than the distance between samples is missed.
    place(0, Vector3(-1005, 39.99, 0), Vector3(10, 0, 0));
    EXPECT_FALSE(search(150.0).found);
}

TEST_F(BallSearchTest, OverlapAtTheFirstSampleIsTimeZeroEvenWhenParting) {
    place(0, Vector3(0, 0, 0), Vector3(-1, 0, 0));
    place(1, Vector3(35, 0, 0), Vector3(1, 0, 0));
    const Outcome o = search(0.3);
    EXPECT_TRUE(o.found);
    EXPECT_EQ(o.time, 0.0);

    // Parting and already apart: never.
    place(1, Vector3(41, 0, 0), Vector3(1, 0, 0));
    EXPECT_FALSE(search(100.0).found);
}

TEST_F(BallSearchTest, ContactBeyondTheSpanIsNotFound) {
    place(0, Vector3(0, 0, 0), Vector3(1, 0, 0));
    place(1, Vector3(100, 0, 0), Vector3(-1, 0, 0));
    EXPECT_FALSE(search(29.0).found);
    EXPECT_TRUE(search(31.5).found);
}

TEST_F(BallSearchTest, TheHundredAndFirstSample) {
    // 150 steps of 0.1 / 150 fall short of 0.1, so a 151st sample is taken
    // just beyond the span; with 0.3 they do not.
    const double span = 0.1;
    ASSERT_EQ(sampleCount(span), 151);
    ASSERT_EQ(sampleCount(0.3), 150);
    const double s150 = sampleTime(span, 150);
    const double s151 = sampleTime(span, 151);
    ASSERT_LT(s150, span);

    // First overlap between samples 150 and 151.
    const double gap = 0.5 * (s150 + s151);
    place(0, Vector3(-(40.0 + gap), 0, 0), Vector3(1, 0, 0));
    place(1, Vector3(0, 0, 0), Vector3(0, 0, 0));
    const Outcome o = search(span);
    EXPECT_TRUE(o.found);
    EXPECT_EQ(o.time, s151 - span / 150);

    // One sample later there is nothing left to find.
    place(0, Vector3(-(40.0 + s151 + 0.5 * span / 150), 0, 0), Vector3(1, 0, 0));
    EXPECT_FALSE(search(span).found);
}

TEST_F(BallSearchTest, TiesGoToTheFirstPairInOrder) {
    // Two identical head-on pairs far apart: both first overlap at s = 31.
    place(2, Vector3(0, 0, 0), Vector3(1, 0, 0));
    place(3, Vector3(100, 0, 0), Vector3(-1, 0, 0));
    place(0, Vector3(0, 200, 0), Vector3(1, 0, 0));
    place(7, Vector3(100, 200, 0), Vector3(-1, 0, 0));
    Outcome o = search(150.0);
    EXPECT_TRUE(o.found);
    EXPECT_EQ(o.time, 30.0);
    EXPECT_EQ(o.i, 0);
    EXPECT_EQ(o.j, 7);

    // A strictly earlier contact later in the order wins.
    place(3, Vector3(98, 0, 0), Vector3(-1, 0, 0));
    o = search(150.0);
    EXPECT_EQ(o.time, 29.0);
    EXPECT_EQ(o.i, 2);
    EXPECT_EQ(o.j, 3);
}

TEST_F(BallSearchTest, LineTestDecidesForSlowPairs) {
    // Below 1e-8 the relative velocity normalises to zero, so the line test
    // measures only the present distance: the pair is never sampled, although
    // within this span it would close in by more than the 1e-5 gap.
    place(0, Vector3(0, 0, 0), Vector3(5e-9, 0, 0));
    place(1, Vector3(40.00001, 0, 0), Vector3(0, 0, 0));
    EXPECT_FALSE(search(9000.0).found);

    // Slightly faster, the line is real: the gap closes after 500, so the
    // first overlapping sample is 540 (h = 60).
    place(0, Vector3(0, 0, 0), Vector3(2e-8, 0, 0));
    const Outcome o = search(9000.0);
    EXPECT_TRUE(o.found);
    EXPECT_EQ(o.time, 480.0);
}

TEST_F(BallSearchTest, TimesFromTenThousandOnAreNeverReported) {
    // 10000 is the "none yet" mark, and only earlier times replace it. With
    // h = 100 this pair first overlaps at 12600.
    place(0, Vector3(0, 0, 0), Vector3(4e-4, 0, 0));
    place(1, Vector3(45, 0, 0), Vector3(0, 0, 0));
    EXPECT_FALSE(search(15000.0).found);

    // Closer, it first overlaps at 7600.
    place(1, Vector3(43.02, 0, 0), Vector3(0, 0, 0));
    const Outcome o = search(15000.0);
    EXPECT_TRUE(o.found);
    EXPECT_EQ(o.time, 7500.0);
}

TEST_F(BallSearchTest, DegenerateSpansAndRadii) {
    place(0, Vector3(0, 0, 0), Vector3(1, 0, 0));
    place(1, Vector3(30, 0, 0), Vector3(0, 0, 0));
    // So short a span that its sample step is zero: one sample, no endless loop.
    const double tiny = std::numeric_limits<double>::denorm_min();
    Outcome o = search(tiny);
    EXPECT_TRUE(o.found);
    EXPECT_EQ(o.time, 0.0);
    place(1, Vector3(50, 0, 0), Vector3(0, 0, 0));
    EXPECT_FALSE(search(tiny).found);

    EXPECT_FALSE(search(0.0).found);
    EXPECT_FALSE(search(-1.0).found);

    place(1, Vector3(1, 0, 0), Vector3(0, 0, 0));
    sim.ballRadius = 0;
    EXPECT_FALSE(search(10.0).found);
    sim.ballRadius = -5;
    EXPECT_FALSE(search(10.0).found);
}

TEST_F(BallSearchTest, VectorsWithoutValue) {
    // Not produced by the program, but the two searches answer alike. A
    // velocity without value makes every distance 0.0: contact at once.
    place(0, Vector3(0, 0, 0), Vector3(1, 0, 0));
    place(1, Vector3(300, 0, 0), Vector3(0, 0, 0));
    sim.ballVelocities[1] = Vector3();
    const Outcome invalid = search(1.0);
    EXPECT_TRUE(invalid.found);
    EXPECT_EQ(invalid.time, 0.0);

    // A velocity that is not a number normalises to the zero direction, so
    // the line test measures the present distance (300) and skips the pair.
    place(1, Vector3(300, 0, 0), Vector3(std::nan(""), 0, 0));
    EXPECT_FALSE(search(1.0).found);
}

TEST_F(BallSearchTest, FullRoomFromTheStartLayout) {
    sim.ballCount = kMaxBalls;
    buildSceneGeometry(sim);
    seedRandom(sim.random, 99);
    placeBalls(sim);
    for (int k = 0; k < kMaxBalls; ++k) sim.ballPreviousPositions[k] = sim.ballPositions[k];
    // At start every ball has the same velocity and the slots are apart.
    EXPECT_FALSE(search(0.3).found);

    // One ball dropped onto another from 45 above: 5 to close at about 60.
    sim.ballPreviousPositions[4] = sim.ballPreviousPositions[9] + Vector3(0, 45, 0);
    sim.ballVelocities[4] = sim.initialVelocity + Vector3(0, -60, 0);
    const Outcome o = search(1.0);
    EXPECT_TRUE(o.found);
    EXPECT_EQ(o.i, 4);
    EXPECT_EQ(o.j, 9);
    EXPECT_EQ(o.time, sampleTime(1.0, 13) - 1.0 / 150);
}

// ------------------------------------------------------------------------
// Differential check of the fast search against the plain one.

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double uniform(double lo, double hi) { return lo + (hi - lo) * unit(); }
    double logUniform(double lo, double hi) { return std::exp(uniform(std::log(lo), std::log(hi))); }
    int integer(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1)); }
    bool chance(double p) { return unit() < p; }
    Vector3 inBox(double half) { return Vector3(uniform(-half, half), uniform(-half, half), uniform(-half, half)); }
    Vector3 direction() {
        for (;;) {
            const Vector3 v = inBox(1.0);
            const double l = v.Length();
            if (l > 0.1 && l < 1.0) return v * (1.0 / l);
        }
    }

private:
    std::uint64_t state_;
};

const double kOddSpans[] = {0.1, 0.2, 30.0, 0.05, 0.3, 0.7, 1.0, 150.0};

double pickSpan(Random& random) {
    if (random.chance(0.3)) return kOddSpans[random.integer(0, 7)];
    return random.logUniform(1e-3, 100.0);
}

// Two live balls at random slots, made to meet (or nearly) in many ways.
double makePairScene(Random& random) {
    for (int& alive : sim.ballAlive) alive = 0;
    const int a = random.integer(0, kMaxBalls - 2);
    const int b = random.integer(a + 1, kMaxBalls - 1);
    const int r = random.integer(5, 20);
    sim.ballRadius = r;
    const double twoR = 2.0 * r;
    double span = pickSpan(random);
    Vector3 pa;
    Vector3 pb;
    Vector3 va;
    Vector3 vb;

    const int mode = random.integer(0, 9);
    if (mode == 0) {
        // Anywhere in the room.
        pa = random.inBox(320);
        pb = random.inBox(320);
        va = random.inBox(5);
        vb = random.inBox(5);
    } else if (mode <= 3) {
        // Aimed: closest approach `miss` at time `when`, sometimes grazing.
        const Vector3 along = random.direction();
        Vector3 across = along.Cross(random.direction());
        across.Normalise();
        double miss = twoR * random.uniform(0.0, 1.2);
        if (mode == 2) miss = twoR * (1.0 + (random.chance(0.5) ? 1 : -1) * random.logUniform(1e-17, 1e-5));
        if (mode == 3) miss = twoR * random.uniform(0.95, 1.0);
        const double speed = random.logUniform(0.5, 200.0) * twoR / span;
        const double when = span * random.uniform(-0.3, 1.3);
        pb = random.inBox(300);
        vb = random.inBox(3);
        pa = pb + across * miss - along * (speed * when);
        va = vb + along * speed;
    } else if (mode == 4) {
        // Exact arithmetic: dyadic steps, integer offsets, distances of exactly
        // 2r at samples (Pythagorean offsets across the motion).
        // Offsets across the motion of 0, 3/5 or 4/5 of 2r: with 2r a multiple
        // of 10, the along-offset at contact is the other leg of a 3-4-5 triangle.
        static const int triples[][2] = {{0, 1}, {3, 5}, {4, 5}};
        sim.ballRadius = 5 * random.integer(1, 4);
        const double diameter = 2.0 * sim.ballRadius;
        const int t = random.integer(0, 2);
        const double side = diameter * triples[t][0] / triples[t][1];
        span = 150.0 * std::ldexp(1.0, random.integer(-3, 2));
        const double speed = std::ldexp(1.0, random.integer(-2, 2));
        pb = Vector3(random.integer(-50, 50), random.integer(-50, 50), random.integer(-50, 50));
        vb = Vector3(0, 0, 0);
        const double ahead = random.integer(0, 200) * std::ldexp(1.0, random.integer(-2, 1));
        pa = pb + Vector3(-ahead, side, 0);
        va = Vector3(speed, 0, 0);
    } else if (mode == 5) {
        // Relative speed around the normalisation threshold, long spans.
        const Vector3 along = random.direction();
        const double speed = random.logUniform(1e-10, 1e-6);
        span = random.logUniform(1e6, 1e11);
        pb = random.inBox(100);
        pa = pb - along * (twoR * random.uniform(0.9, 1.5));
        vb = random.inBox(1);
        va = vb + along * speed;
    } else if (mode == 6) {
        // Equal velocities, or none, around contact.
        pb = random.inBox(100);
        pa = pb + random.direction() * (twoR * random.uniform(0.9, 1.1));
        va = random.chance(0.5) ? random.inBox(5) : Vector3(0, 0, 0);
        vb = va;
    } else if (mode >= 8) {
        // Within a few ulps of 2r at one sample, crossing the boundary there
        // or (mode 9) grazing it, so rounding decides that sample.
        const int count = sampleCount(span);
        const double at = sampleTime(span, random.integer(1, count));
        const Vector3 along = random.direction();
        Vector3 side = random.direction();
        if (mode == 9) {
            side = along.Cross(side);
            side.Normalise();
        }
        const double reach = twoR * (1.0 + random.integer(-6, 6) * 0x1.0p-52);
        const double speed = random.logUniform(0.5, 200.0) * twoR / span;
        pb = random.inBox(300);
        vb = random.chance(0.5) ? Vector3(0, 0, 0) : random.inBox(3);
        va = vb + along * speed;
        pa = pb + side * reach - (va - vb) * at;
    } else {
        // Starting in contact or close, parting or closing.
        pb = random.inBox(100);
        const Vector3 offset = random.direction();
        pa = pb + offset * (twoR * random.uniform(0.5, 1.1));
        vb = random.inBox(2);
        va = vb + offset * (random.uniform(-1.0, 1.0) * random.logUniform(1e-3, 100.0));
    }
    sim.ballPreviousPositions[a] = pa;
    sim.ballPreviousPositions[b] = pb;
    sim.ballVelocities[a] = va;
    sim.ballVelocities[b] = vb;
    sim.ballAlive[a] = 1;
    sim.ballAlive[b] = 1;
    return span;
}

// All 45 slots, a few dead, packed densely enough that many pairs meet.
double makeRoomScene(Random& random) {
    sim.ballRadius = random.integer(5, 20);
    const double half = random.uniform(100.0, 500.0);
    const double speed = random.logUniform(0.1, 50.0);
    const bool common = random.chance(0.2);
    const Vector3 shared = random.inBox(speed);
    for (int k = 0; k < kMaxBalls; ++k) {
        sim.ballAlive[k] = random.chance(0.9) ? 1 : 0;
        sim.ballPreviousPositions[k] = random.inBox(half);
        sim.ballVelocities[k] = common ? shared : random.inBox(speed);
    }
    return random.chance(0.5) ? pickSpan(random) : random.logUniform(0.1, 20.0);
}

struct Tally {
    long scenes = 0;
    long found = 0;
    long atZero = 0;
    long lastSample = 0;
    long mismatches = 0;
};

void compare(double span, Tally& tally) {
    ++tally.scenes;
    const Outcome fast = run(findBallCollision, span);
    const Outcome plain = run(findBallCollisionSampled, span);
    if (!identical(fast, plain)) {
        if (++tally.mismatches <= 5) {
            ADD_FAILURE() << "span " << std::hexfloat << span << " radius " << sim.ballRadius << "\nfast  "
                          << describe(fast) << "\nplain " << describe(plain);
        }
        return;
    }
    if (!plain.found) return;
    ++tally.found;
    if (plain.time == 0.0) ++tally.atZero;
    const double h = span / 150;
    if (plain.time + h >= span) ++tally.lastSample;
}

TEST(BallSearchDifferential, FastAndPlainAgreeOnAMillionPairs) {
    resetTestState();
    Random random(20240611);
    Tally tally;
    for (int n = 0; n < 1000000; ++n) compare(makePairScene(random), tally);
    EXPECT_EQ(tally.mismatches, 0);
    // The scenes must exercise the interesting answers, not just misses.
    EXPECT_GT(tally.found, tally.scenes / 4);
    EXPECT_GT(tally.atZero, 10000);
    EXPECT_GT(tally.lastSample, 400);
    EXPECT_LT(tally.found, tally.scenes * 9 / 10);
    std::printf("pair scenes %ld, found %ld, at time 0 %ld, at the last sample %ld\n", tally.scenes, tally.found,
                tally.atZero, tally.lastSample);
}

TEST(BallSearchDifferential, FastAndPlainAgreeOnFullRooms) {
    resetTestState();
    Random random(4545);
    Tally tally;
    for (int n = 0; n < 3000; ++n) compare(makeRoomScene(random), tally);
    EXPECT_EQ(tally.mismatches, 0);
    EXPECT_GT(tally.found, tally.scenes / 4);
    EXPECT_LT(tally.found, tally.scenes);
    std::printf("room scenes %ld, found %ld, at time 0 %ld\n", tally.scenes, tally.found, tally.atZero);
}

// The step's use: overlapping pairs that are not closing in passed over.
// Both searches must still agree, pass over the same pairs, and never
// report such a pair.
TEST(BallSearchDifferential, FastAndPlainAgreeWhenPassingOverSeparatingPairs) {
    resetTestState();
    Random random(4546);
    long mismatches = 0;
    long passedScenes = 0;
    long foundAfterPassing = 0;
    for (int n = 0; n < 3000; ++n) {
        const double span = makeRoomScene(random);
        Outcome fast;
        Outcome plain;
        int fastPassed = 0;
        int plainPassed = 0;
        fast.found = findBallCollision(sim, span, fast.time, fast.i, fast.j, &fastPassed);
        plain.found = findBallCollisionSampled(sim, span, plain.time, plain.i, plain.j, &plainPassed);
        if (!identical(fast, plain) || fastPassed != plainPassed) {
            if (++mismatches <= 5) {
                ADD_FAILURE() << "passed " << fastPassed << " / " << plainPassed << "\nfast  " << describe(fast)
                              << "\nplain " << describe(plain);
            }
            continue;
        }
        if (fast.found && fast.time == 0.0) {
            const Vector3 apart = sim.ballPreviousPositions[fast.j] - sim.ballPreviousPositions[fast.i];
            EXPECT_LT(Dot(apart, sim.ballVelocities[fast.j] - sim.ballVelocities[fast.i]), 0.0);
        }
        if (fastPassed > 0) {
            ++passedScenes;
            if (fast.found) ++foundAfterPassing;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(passedScenes, 100);
    EXPECT_GT(foundAfterPassing, 50);
    std::printf("room scenes with pairs passed over %ld, a pair found all the same %ld\n", passedScenes,
                foundAfterPassing);
}

}  // namespace
