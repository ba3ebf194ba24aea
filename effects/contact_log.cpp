#include "effects/contact_log.h"

#include "platform/clock.h"

namespace {

void store(float* into, const Vector3& v) {
    into[0] = static_cast<float>(v.x);
    into[1] = static_cast<float>(v.y);
    into[2] = static_cast<float>(v.z);
}

}  // namespace

void ContactHistory::addMark(const Vector3& point, const Vector3& normal, int time) {
    ContactMark& mark = marks[nextMark];
    store(mark.point, point);
    store(mark.normal, normal);
    mark.time = time;
    mark.used = 1;
    nextMark = (nextMark + 1) % kContactMarkCount;
}

void ContactHistory::clear() { *this = ContactHistory(); }

void ContactHistory::addBallContact(long step, int ball, int with, int other, const Vector3& normal,
                                    double speedBefore, double speedAfter) {
    if (ball < 0 || ball >= kMaxBalls) return;
    unsigned char& next = nextBallContact[ball];
    BallContact& c = ballContacts[ball * kBallContactsKept + next];
    next = static_cast<unsigned char>((next + 1) % kBallContactsKept);
    c.step = static_cast<int>(step);
    c.with = static_cast<short>(with);
    c.other = static_cast<short>(other);
    store(c.normal, normal);
    c.speedBefore = static_cast<float>(speedBefore);
    c.speedAfter = static_cast<float>(speedAfter);
}

const BallContact& ContactHistory::ballContact(int ball, int i) const {
    const int at = (nextBallContact[ball] + kBallContactsKept - 1 - i) % kBallContactsKept;
    return ballContacts[ball * kBallContactsKept + at];
}

float contactMarkFade(const ContactMark& mark, int now) {
    if (mark.used == 0) return 0.0f;
    // A mark stamped after `now` reads as very old: not shown.
    const long long age = millisecondsBetween(mark.time, now);
    if (age >= kContactMarkLifetime) return 0.0f;
    return 1.0f - static_cast<float>(age) / static_cast<float>(kContactMarkLifetime);
}
