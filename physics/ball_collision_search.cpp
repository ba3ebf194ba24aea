#include "physics/ball_collision_search.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "geometry/ray.h"

namespace {

constexpr int kSamplesPerSpan = 150;
constexpr double kNoTime = 10000.0;
// Accumulating 150 steps of span / 150 gives 150 or 151 samples; anything
// else (sub-normal spans) is left to the plain search.
constexpr int kMaxSamples = 152;
// Coordinates, speeds or spans beyond this go to the plain search, so that
// no square below can overflow.
constexpr double kLargestScale = 1e60;
// Safety band, relative to the scene's size, that covers the rounding of the
// sampled positions and distances many times over.
constexpr double kBandPerScale = 1e-9;

// Whether the line of the relative motion comes within two radii of ball j.
// This alone decides whether a pair is sampled at all.
bool pathsComeClose(const Simulation& s, int i, int j, const Vector3& w, double twoR) {
    const Ray path(s.ballPreviousPositions[i], Unit(w));
    return !(path.Distance(s.ballPreviousPositions[j]) > twoR);
}

// A pair as the sampling sees it: i's start, j's start and i's velocity
// relative to j.
struct PairMotion {
    double px, py, pz;
    double qx, qy, qz;
    double wx, wy, wz;
};

// The sampling's overlap test, operation for operation:
// Distance(prev_i + w * s, prev_j) < 2r.
inline bool overlapsAt(const PairMotion& m, double s, double twoR) {
    const double x = m.px + m.wx * s;
    const double y = m.py + m.wy * s;
    const double z = m.pz + m.wz * s;
    const double dx = x - m.qx;
    const double dy = y - m.qy;
    const double dz = z - m.qz;
    return std::sqrt((dx * dx + dy * dy) + dz * dz) < twoR;
}

// First sample index in from..to whose test overlaps, or 0.
int scanSamples(const PairMotion& m, const double* samples, int from, int to, double twoR) {
    for (int k = from; k <= to; ++k) {
        if (overlapsAt(m, samples[k], twoR)) return k;
    }
    return 0;
}

// Whether at time s the pair is clearly apart (by more than the band) and its
// distance moves the given way there (approaching: -1, receding: +1). The
// distance is convex in time, so this also vouches for every earlier
// (approaching) or later (receding) sample.
bool clearlyApart(const PairMotion& m, double s, double reach2, int trend) {
    const double rx = (m.px - m.qx) + m.wx * s;
    const double ry = (m.py - m.qy) + m.wy * s;
    const double rz = (m.pz - m.qz) + m.wz * s;
    const double slope = rx * m.wx + ry * m.wy + rz * m.wz;
    const bool trendOk = trend < 0 ? slope < 0.0 : slope > 0.0;
    return trendOk && rx * rx + ry * ry + rz * rz >= reach2;
}

int clampIndex(double guess, int lo, int hi) {
    if (!(guess > lo)) return lo;  // also not a number
    if (!(guess < hi)) return hi;
    return static_cast<int>(guess);
}

// Index of the first sample in 1..limit at which the pair overlaps, or 0.
// The closed form only says where to look; every sample it skips is vouched
// for by clearlyApart, and every answer comes from overlapsAt.
int firstOverlap(const PairMotion& m, const double* samples, int limit, double h, double twoR, double band) {
    const double dx = m.px - m.qx;
    const double dy = m.py - m.qy;
    const double dz = m.pz - m.qz;
    const double a = m.wx * m.wx + m.wy * m.wy + m.wz * m.wz;
    const double outer = twoR + band;
    const double outer2 = outer * outer;

    if (a < 1e-200) {
        // No usable relative motion. Exactly zero: every sample is the start.
        if (m.wx == 0.0 && m.wy == 0.0 && m.wz == 0.0) return scanSamples(m, samples, 1, 1, twoR);
        return scanSamples(m, samples, 1, limit, twoR);
    }

    // |d x w|^2 / |w|^2 is the squared closest approach of the whole line.
    const double cx = dy * m.wz - dz * m.wy;
    const double cy = dz * m.wx - dx * m.wz;
    const double cz = dx * m.wy - dy * m.wx;
    const double cross2 = cx * cx + cy * cy + cz * cz;
    if (cross2 > outer2 * a) return 0;

    // Times at which the centres are `outer` apart (Lagrange's identity keeps
    // the discriminant free of cancellation).
    const double b = dx * m.wx + dy * m.wy + dz * m.wz;
    const double root = std::sqrt(outer2 * a - cross2);
    const double enter = (-b - root) / a;
    const double leave = (-b + root) / a;

    const double inner = twoR + 0.5 * band;
    const double inner2 = inner * inner;

    int from = clampIndex(std::floor(enter / h), 1, limit + 1);
    if (from > 1 && !clearlyApart(m, samples[from - 1], inner2, -1)) from = 1;
    int to = clampIndex(std::ceil(leave / h) + 1.0, 0, limit);
    if (to < from - 1) to = from - 1;

    const int hit = scanSamples(m, samples, from, to, twoR);
    if (hit != 0 || to >= limit) return hit;
    if (clearlyApart(m, samples[to + 1], inner2, +1)) return 0;
    return scanSamples(m, samples, to + 1, limit, twoR);
}

struct SweptBoxes {
    double lo[3][kMaxBalls];
    double hi[3][kMaxBalls];
};

// One bit per pair (n, m), n < m, of positions in the live list, at n * 45 + m.
constexpr int kPairWords = (kMaxBalls * kMaxBalls + 63) / 64;
struct PairSet {
    std::uint64_t bits[kPairWords] = {};
    void add(int n, int m) {
        const int key = n < m ? n * kMaxBalls + m : m * kMaxBalls + n;
        bits[key / 64] |= std::uint64_t{1} << (key % 64);
    }
};

// Sweep and prune: sorted along the axis where the boxes spread most, a box
// need only be compared with the following boxes that start before it ends.
void collectNearPairs(const SweptBoxes& boxes, int count, PairSet& near) {
    int axis = 0;
    double widest = -1.0;
    for (int candidate = 0; candidate < 3; ++candidate) {
        const double* lo = boxes.lo[candidate];
        const auto range = std::minmax_element(lo, lo + count);
        if (*range.second - *range.first > widest) {
            widest = *range.second - *range.first;
            axis = candidate;
        }
    }
    const int other1 = (axis + 1) % 3;
    const int other2 = (axis + 2) % 3;
    const double* lo = boxes.lo[axis];
    const double* hi = boxes.hi[axis];

    int order[kMaxBalls];
    for (int n = 0; n < count; ++n) {
        int m = n;
        for (; m > 0 && lo[order[m - 1]] > lo[n]; --m) order[m] = order[m - 1];
        order[m] = n;
    }

    for (int u = 0; u < count; ++u) {
        const int n = order[u];
        for (int v = u + 1; v < count && lo[order[v]] <= hi[n]; ++v) {
            const int m = order[v];
            if (boxes.lo[other1][m] <= boxes.hi[other1][n] && boxes.lo[other1][n] <= boxes.hi[other1][m] &&
                boxes.lo[other2][m] <= boxes.hi[other2][n] && boxes.lo[other2][n] <= boxes.hi[other2][m]) {
                near.add(n, m);
            }
        }
    }
}

bool usable(const Vector3& v) {
    return v.IsValid() && std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// Whether the centres of a and b draw nearer: only such a pair can be
// answered at time 0 without the two being turned back into each other.
bool closingIn(const Simulation& s, int a, int b) {
    const Vector3 apart = s.ballPreviousPositions[b] - s.ballPreviousPositions[a];
    const Vector3 relative = s.ballVelocities[b] - s.ballVelocities[a];
    return Dot(apart, relative) < 0.0;
}

// Counts the pair when it is one to pass over.
bool passOver(const Simulation& s, int* passedOver, double time, int a, int b) {
    if (passedOver == nullptr || time != 0.0 || closingIn(s, a, b)) return false;
    ++*passedOver;
    return true;
}

double largestCoordinate(const Vector3& v) {
    return std::max(std::fabs(v.x), std::max(std::fabs(v.y), std::fabs(v.z)));
}

}  // namespace

bool findBallCollisionSampled(const Simulation& s, double span, double& time, int& i, int& j, int* passedOver) {
    const double h = span / kSamplesPerSpan;
    const double twoR = 2.0 * s.ballRadius;
    double best = kNoTime;
    int bestI = -1;
    int bestJ = -1;

    for (int a = 0; a < kMaxBalls - 1; ++a) {
        if (!s.ballAlive[a]) continue;
        for (int b = a + 1; b < kMaxBalls; ++b) {
            if (!s.ballAlive[b]) continue;
            const Vector3 w = s.ballVelocities[a] - s.ballVelocities[b];
            if (!pathsComeClose(s, a, b, w, twoR)) continue;

            double at = 0.0;
            while (at < span) {
                const double before = at;
                at = at + h;
                const Vector3 p = s.ballPreviousPositions[a] + w * at;
                if (p.Distance(s.ballPreviousPositions[b]) < twoR) {
                    if (at - h < best && !passOver(s, passedOver, at - h, a, b)) {
                        best = at - h;
                        bestI = a;
                        bestJ = b;
                    }
                    break;
                }
                // A step too small to advance would repeat the same sample forever.
                if (!(at > before)) break;
            }
        }
    }

    if (best == kNoTime) return false;
    time = best;
    i = bestI;
    j = bestJ;
    return true;
}

// The plain search's answers with far less work: swept boxes rule out most
// pairs, the closed-form moment at which a pair comes within reach says which
// samples to test, and those are tested with the plain search's own
// arithmetic. Only a pair with an overlapping sample needs the line test,
// which decides, as in the plain search, whether it counts at all.
bool findBallCollision(const Simulation& s, double span, double& time, int& i, int& j, int* passedOver) {
    const double twoR = 2.0 * s.ballRadius;
    // No distance, zero included, is below a bound that is not positive.
    if (!(twoR > 0.0)) return false;
    const double h = span / kSamplesPerSpan;
    if (!(h > 0.0) || !(span < kLargestScale)) return findBallCollisionSampled(s, span, time, i, j, passedOver);

    // The sample times are the same for every pair.
    double samples[kMaxSamples + 1];
    int count = 0;
    samples[0] = 0.0;
    for (double at = 0.0; at < span;) {
        if (count == kMaxSamples) return findBallCollisionSampled(s, span, time, i, j, passedOver);
        at = at + h;
        samples[++count] = at;
    }

    int alive[kMaxBalls];
    int liveCount = 0;
    double largestPosition = 0.0;
    double largestVelocity = 0.0;
    for (int k = 0; k < kMaxBalls; ++k) {
        if (!s.ballAlive[k]) continue;
        const Vector3& p = s.ballPreviousPositions[k];
        const Vector3& v = s.ballVelocities[k];
        if (!usable(p) || !usable(v)) return findBallCollisionSampled(s, span, time, i, j, passedOver);
        largestPosition = std::max(largestPosition, largestCoordinate(p));
        largestVelocity = std::max(largestVelocity, largestCoordinate(v));
        alive[liveCount++] = k;
    }
    if (liveCount < 2) return false;

    const double reachTime = samples[count];
    const double scale = largestPosition + largestVelocity * reachTime + twoR;
    if (!(scale < kLargestScale) || !(largestVelocity < kLargestScale)) {
        return findBallCollisionSampled(s, span, time, i, j, passedOver);
    }
    const double band = scale * kBandPerScale;

    // Boxes swept by each ball up to the last sample, grown so that balls
    // whose boxes are apart stay more than 2r plus the band apart.
    SweptBoxes boxes;
    const double grow = 0.5 * twoR + band;
    for (int n = 0; n < liveCount; ++n) {
        const Vector3& p = s.ballPreviousPositions[alive[n]];
        const Vector3& v = s.ballVelocities[alive[n]];
        const double start[3] = {p.x, p.y, p.z};
        const double end[3] = {p.x + v.x * reachTime, p.y + v.y * reachTime, p.z + v.z * reachTime};
        for (int axis = 0; axis < 3; ++axis) {
            boxes.lo[axis][n] = std::min(start[axis], end[axis]) - grow;
            boxes.hi[axis][n] = std::max(start[axis], end[axis]) + grow;
        }
    }
    PairSet near;
    collectNearPairs(boxes, liveCount, near);

    // Only samples whose time would beat the best so far matter.
    double best = kNoTime;
    int limit = count;
    while (limit > 0 && !(samples[limit] - h < best)) --limit;
    int bestI = -1;
    int bestJ = -1;

    // Set bits in increasing order are the pairs in the plain search's order.
    for (int word = 0; word < kPairWords && limit > 0; ++word) {
        for (std::uint64_t bits = near.bits[word]; bits != 0 && limit > 0; bits &= bits - 1) {
            const int key = word * 64 + __builtin_ctzll(bits);
            const int a = alive[key / kMaxBalls];
            const int b = alive[key % kMaxBalls];
            const Vector3& pa = s.ballPreviousPositions[a];
            const Vector3& va = s.ballVelocities[a];
            const Vector3& pb = s.ballPreviousPositions[b];
            const Vector3& vb = s.ballVelocities[b];
            const PairMotion m{pa.x, pa.y, pa.z, pb.x, pb.y, pb.z, va.x - vb.x, va.y - vb.y, va.z - vb.z};

            const int k = firstOverlap(m, samples, limit, h, twoR, band);
            if (k == 0) continue;
            if (!pathsComeClose(s, a, b, va - vb, twoR)) continue;
            if (passOver(s, passedOver, samples[k] - h, a, b)) continue;
            // k <= limit, so this time beats the best strictly.
            best = samples[k] - h;
            bestI = a;
            bestJ = b;
            while (limit > 0 && !(samples[limit] - h < best)) --limit;
        }
    }

    if (bestI < 0) return false;
    time = best;
    i = bestI;
    j = bestJ;
    return true;
}

bool findBallCollision(const Simulation& s, double span, double& time, int& i, int& j) {
    return findBallCollision(s, span, time, i, j, nullptr);
}

bool findBallCollisionSampled(const Simulation& s, double span, double& time, int& i, int& j) {
    return findBallCollisionSampled(s, span, time, i, j, nullptr);
}
