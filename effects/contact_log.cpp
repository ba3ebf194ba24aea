#include "effects/contact_log.h"

#include "effects/inspect_mode.h"
#include "platform/clock.h"

void recordContactMark(Simulation& s, const Vector3& point, const Vector3& normal, Readings& readings) {
    ContactMark& mark = s.contactMarks[s.nextContactMark];
    mark.point = point;
    mark.normal = normal;
    mark.time = sceneMilliseconds(s, readings);
    mark.used = 1;
    s.nextContactMark = (s.nextContactMark + 1) % kContactMarkCount;
}

void clearContactMarks(Simulation& s) {
    for (ContactMark& mark : s.contactMarks) mark.used = 0;
    s.nextContactMark = 0;
}

float contactMarkFade(const ContactMark& mark, int now) {
    if (mark.used == 0) return 0.0f;
    // A mark stamped after `now` reads as very old: not shown.
    const long long age = millisecondsBetween(mark.time, now);
    if (age >= kContactMarkLifetime) return 0.0f;
    return 1.0f - static_cast<float>(age) / static_cast<float>(kContactMarkLifetime);
}
