#include "input/replay_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdarg>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "scene/simulation.h"

namespace {

// One line cut into its words, without copying.
struct Words {
    static constexpr int kMax = 32;
    const char* start[kMax];
    int length[kMax];
    int count = 0;
};

// Words separated by single spaces; false for empty words (double or
// trailing spaces) or too many of them.
bool splitWords(const char* line, int length, Words& words) {
    words.count = 0;
    int begin = 0;
    for (int i = 0; i <= length; ++i) {
        if (i < length && line[i] != ' ') continue;
        if (i == begin || words.count == Words::kMax) return false;
        words.start[words.count] = line + begin;
        words.length[words.count] = i - begin;
        ++words.count;
        begin = i + 1;
    }
    return true;
}

// A decimal integer: an optional minus and 1 to 18 digits, within [lo, hi].
bool decimal(const Words& w, int index, long long lo, long long hi, long long& value) {
    const char* s = w.start[index];
    int n = w.length[index];
    bool negative = false;
    if (n > 0 && *s == '-') {
        negative = true;
        ++s;
        --n;
    }
    if (n < 1 || n > 18) return false;
    long long v = 0;
    for (int i = 0; i < n; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
    }
    if (negative) v = -v;
    if (v < lo || v > hi) return false;
    value = v;
    return true;
}

bool decimalInt(const Words& w, int index, long long lo, long long hi, int& value) {
    long long v = 0;
    if (!decimal(w, index, lo, hi, v)) return false;
    value = static_cast<int>(v);
    return true;
}

// Exactly `digits` hexadecimal digits.
bool hexBits(const Words& w, int index, int digits, unsigned long long& value) {
    if (w.length[index] != digits) return false;
    unsigned long long v = 0;
    for (int i = 0; i < digits; ++i) {
        const char c = w.start[index][i];
        int d = 0;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            d = c - 'a' + 10;
        } else {
            return false;
        }
        v = (v << 4) | static_cast<unsigned>(d);
    }
    value = v;
    return true;
}

bool finiteDouble(const Words& w, int index, double& value) {
    unsigned long long bits = 0;
    if (!hexBits(w, index, 16, bits)) return false;
    std::memcpy(&value, &bits, sizeof value);
    return std::isfinite(value);
}

// Three coordinates, then (at `statusIndex`) the status word that travels
// with them: arithmetic on a vector depends on it.
bool finiteVector(const Words& w, int index, int statusIndex, Vector3& v) {
    int status = 0;
    if (!finiteDouble(w, index, v.x) || !finiteDouble(w, index + 1, v.y) || !finiteDouble(w, index + 2, v.z) ||
        !decimalInt(w, statusIndex, StatusInvalid, StatusUnit, status)) {
        return false;
    }
    v.status = status;
    return true;
}

bool flag(const Words& w, int index, int& value) { return decimalInt(w, index, 0, 1, value); }

constexpr long long kIntMin = -2147483647LL - 1;
constexpr long long kIntMax = 2147483647LL;
constexpr long long kPointerLimit = 1000000;

bool parseControls(const Words& w, SimControls& c) {
    if (w.count != 29) return false;
    unsigned long long yawBits = 0;
    if (!finiteDouble(w, 2, c.timeStep) || !finiteDouble(w, 3, c.activeTimeStep) ||
        !finiteVector(w, 4, 27, c.cameraPosition) || !finiteVector(w, 7, 28, c.viewDirection) ||
        !hexBits(w, 10, 8, yawBits)) {
        return false;
    }
    const unsigned int yaw32 = static_cast<unsigned int>(yawBits);
    std::memcpy(&c.cameraYaw, &yaw32, sizeof c.cameraYaw);
    return std::isfinite(c.cameraYaw) && flag(w, 11, c.followBall) && decimalInt(w, 12, -1, 29, c.followedShot) &&
           flag(w, 13, c.autoFire) && flag(w, 14, c.launchMode) && flag(w, 15, c.resetRequested) &&
           flag(w, 16, c.soundOn) && flag(w, 17, c.upKeyDown) && flag(w, 18, c.downKeyDown) &&
           flag(w, 19, c.leftKeyDown) && flag(w, 20, c.rightKeyDown) &&
           decimalInt(w, 21, -kPointerLimit, kPointerLimit, c.mouseX) &&
           decimalInt(w, 22, -kPointerLimit, kPointerLimit, c.mouseY) && flag(w, 23, c.leftButtonDown) &&
           flag(w, 24, c.paused) && decimalInt(w, 25, kIntMin, kIntMax, c.pausedSceneTime) &&
           decimalInt(w, 26, kIntMin, kIntMax, c.pausedTotal);
}

// The fields after the kind letter and step number of an event line.
bool parseEvent(char letter, const Words& w, InputEvent& e) {
    switch (letter) {
    case 'k':
        e.kind = InputKind::SpecialDown;
        return w.count == 4 && decimalInt(w, 2, 0, 65535, e.a) && decimalInt(w, 3, 0, 7, e.b);
    case 'u':
        e.kind = InputKind::SpecialUp;
        return w.count == 3 && decimalInt(w, 2, 0, 65535, e.a);
    case 'm':
        e.kind = InputKind::MouseButton;
        return w.count == 6 && decimalInt(w, 2, 0, 15, e.a) && decimalInt(w, 3, 0, 1, e.b) &&
               decimalInt(w, 4, -kPointerLimit, kPointerLimit, e.c) &&
               decimalInt(w, 5, -kPointerLimit, kPointerLimit, e.d);
    case 'p':
        e.kind = InputKind::Motion;
        return w.count == 4 && decimalInt(w, 2, -kPointerLimit, kPointerLimit, e.c) &&
               decimalInt(w, 3, -kPointerLimit, kPointerLimit, e.d);
    case 'r':
        e.kind = InputKind::Release;
        return w.count == 2;
    case 'w':
        e.kind = InputKind::WindowSize;
        return w.count == 4 && decimalInt(w, 2, 0, 100000, e.a) && decimalInt(w, 3, 0, 100000, e.b);
    default:
        return false;
    }
}

class Parser {
public:
    Parser(Recording& out, std::string& error) : out_(out), error_(error) {}

    bool run(const char* data, std::size_t size);

private:
    bool fail(const char* what) {
        char text[160];
        if (line_ > 0) {
            std::snprintf(text, sizeof text, "line %ld: %s", line_, what);
        } else {
            std::snprintf(text, sizeof text, "%s", what);
        }
        error_ = text;
        return false;
    }
    bool magicLine(const Words& w);
    bool optionsLine(const Words& w);
    bool recordLine(const Words& w);
    bool goBack(long step);

    Recording& out_;
    std::string& error_;
    long line_ = 0;
    long last_ = 0;              // the last step run
    bool pending_ = false;       // context lines wait for their action
    std::vector<std::size_t> endOf_;  // records kept up to the end of each step
};

bool Parser::magicLine(const Words& w) {
    const std::size_t magicLength = std::strlen(kReplayMagic);
    if (w.count != 2 || static_cast<std::size_t>(w.length[0]) != magicLength ||
        std::strncmp(w.start[0], kReplayMagic, magicLength) != 0) {
        return fail("not a Vennaloft recording (wrong magic word)");
    }
    long long version = 0;
    if (!decimal(w, 1, 1, 999999, version)) return fail("unreadable format version");
    if (version > kReplayVersion) {
        char text[96];
        std::snprintf(text, sizeof text, "made by a newer Vennaloft (format %lld, this one reads %d)", version,
                      kReplayVersion);
        return fail(text);
    }
    return true;
}

bool Parser::optionsLine(const Words& w) {
    long long seed = 0;
    if (w.count != 4 || w.length[0] != 1 || w.start[0][0] != 'o' || !decimal(w, 1, 0, 4294967295LL, seed) ||
        !decimalInt(w, 2, 1, 45, out_.header.ballCount) || !decimalInt(w, 3, 5, 20, out_.header.ballRadius)) {
        return fail("bad options line");
    }
    out_.header.seed = static_cast<unsigned int>(seed);
    endOf_.assign(1, 0);
    return true;
}

bool Parser::goBack(long step) {
    if (step < 0 || step > last_) return fail("goes back to a step that has not run");
    out_.records.resize(endOf_[step]);
    endOf_.resize(step + 1);
    last_ = step;
    return true;
}

bool Parser::recordLine(const Words& w) {
    if (w.count < 2 || w.length[0] != 1) return fail("unknown record");
    const char letter = w.start[0][0];
    long long stepValue = 0;
    if (!decimal(w, 1, 0, kReplayMaxStep, stepValue)) return fail("step number out of range");
    const long step = static_cast<long>(stepValue);
    if (out_.ended) return fail("records after the end");

    JournalRecord r;
    r.step = step;
    const bool acts = std::strchr("ckumprwtdsga", letter) != nullptr;
    if (acts && step != last_ + 1) return fail("steps out of order");
    if (!acts && pending_) return fail("clock, ray or controls without the action they belong to");

    switch (letter) {
    case 'c': {
        SimControls controls;
        if (!parseControls(w, controls)) return fail("bad controls record");
        r.kind = RecordKind::Controls;
        r.value[0] = static_cast<long long>(out_.controls.size());
        out_.controls.push_back(controls);
        pending_ = true;
        break;
    }
    case 't':
        r.kind = RecordKind::Clock;
        if (w.count != 4 || !decimal(w, 2, -kIntMax * 2 - 1, kIntMax * 2 + 1, r.value[0]) ||
            !decimal(w, 3, 1, kReplayMaxClockReads, r.value[1])) {
            return fail("bad clock record (or an absurd count)");
        }
        pending_ = true;
        break;
    case 'd': {
        Vector3 ray;
        if (w.count != 6 || !finiteVector(w, 2, 5, ray)) return fail("bad ray record");
        r = rayRecord(step, ray);
        pending_ = true;
        break;
    }
    case 'g': {
        int ball = 0;
        Vector3 target;
        if (w.count == 3 && decimalInt(w, 2, -1, -1, ball)) {
            r = dragRecord(step, -1, target);
        } else if (w.count == 6 && decimalInt(w, 2, 0, kMaxBalls - 1, ball) && finiteDouble(w, 3, target.x) &&
                   finiteDouble(w, 4, target.y) && finiteDouble(w, 5, target.z) && dragTargetFits(target)) {
            r = dragRecord(step, ball, target);
        } else {
            return fail("bad drag record");
        }
        pending_ = false;
        break;
    }
    case 'a': {
        int ball = 0;
        Vector3 value;
        const bool field = w.count == 7 && w.length[3] == 1 && (w.start[3][0] == 'p' || w.start[3][0] == 'v');
        if (!field || !decimalInt(w, 2, 0, kMaxBalls - 1, ball) || !finiteDouble(w, 4, value.x) ||
            !finiteDouble(w, 5, value.y) || !finiteDouble(w, 6, value.z) || !dragTargetFits(value)) {
            return fail("bad edit record");
        }
        r = editRecord(step, ball, w.start[3][0] == 'p' ? EditedField::Position : EditedField::Velocity,
                       Vector3(value.x, value.y, value.z));
        pending_ = false;
        break;
    }
    case 's':
        if (w.count != 2) return fail("bad step record");
        r.kind = RecordKind::Step;
        pending_ = false;
        last_ = step;
        break;
    case 'x':
    case 'e': {
        unsigned long long hash = 0;
        if (w.count != 3 || !hexBits(w, 2, 16, hash)) return fail("bad checkpoint");
        if (step != last_) return fail("steps out of order");
        r.kind = letter == 'x' ? RecordKind::Checkpoint : RecordKind::End;
        r.value[0] = static_cast<long long>(hash);
        out_.ended = letter == 'e';
        break;
    }
    case 'b':
        if (w.count != 2) return fail("bad back record");
        return goBack(step);
    default:
        r.kind = RecordKind::Event;
        if (!parseEvent(letter, w, r.event)) return fail("unknown or malformed record");
        pending_ = false;
        break;
    }
    out_.records.push_back(r);
    if (r.kind == RecordKind::Step) endOf_.push_back(out_.records.size());
    if (r.kind == RecordKind::Checkpoint || r.kind == RecordKind::End) endOf_[last_] = out_.records.size();
    return true;
}

bool Parser::run(const char* data, std::size_t size) {
    if (size == 0) return fail("empty file");
    if (size > static_cast<std::size_t>(kReplayMaxBytes)) return fail("too large for a recording");
    std::size_t at = 0;
    char lastKind = 0;
    while (at < size) {
        ++line_;
        std::size_t end = at;
        while (end < size && data[end] != '\n') {
            const unsigned char c = static_cast<unsigned char>(data[end]);
            if (c < 0x20 || c > 0x7e) return fail("not a text recording (binary data)");
            if (end - at >= static_cast<std::size_t>(kReplayMaxLineLength)) return fail("line too long");
            ++end;
        }
        if (end == size) return fail("truncated (the last line is cut off)");
        Words w;
        if (!splitWords(data + at, static_cast<int>(end - at), w)) return fail("malformed line");
        bool ok = false;
        if (line_ == 1) {
            ok = magicLine(w);
        } else if (line_ == 2) {
            ok = optionsLine(w);
        } else {
            ok = recordLine(w);
            lastKind = w.start[0][0];
        }
        if (!ok) return false;
        at = end + 1;
    }
    line_ = 0;
    if (lastKind != 'x' && lastKind != 'e') {
        return fail("truncated (a recording ends with a checkpoint or its end record)");
    }
    out_.steps = last_;
    return true;
}

void appendf(std::string& text, const char* format, ...) __attribute__((format(printf, 2, 3)));
void appendf(std::string& text, const char* format, ...) {
    char buffer[kReplayMaxLineLength + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    text += buffer;
}

unsigned long long bitsOf(double v) {
    unsigned long long bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

void appendDouble(std::string& text, double v) { appendf(text, " %016llx", bitsOf(v)); }

// A ray's or a drag target's coordinates, by their bits, in value[0..2].
void storeVector(JournalRecord& r, const Vector3& v) {
    r.value[0] = static_cast<long long>(bitsOf(v.x));
    r.value[1] = static_cast<long long>(bitsOf(v.y));
    r.value[2] = static_cast<long long>(bitsOf(v.z));
}

Vector3 vectorOf(const JournalRecord& r) {
    double v[3];
    for (int axis = 0; axis < 3; ++axis) {
        const unsigned long long bits = static_cast<unsigned long long>(r.value[axis]);
        std::memcpy(&v[axis], &bits, sizeof v[axis]);
    }
    return Vector3(v[0], v[1], v[2]);
}

}  // namespace

bool parseReplayText(const char* data, std::size_t size, Recording& out, std::string& error) {
    out = Recording();
    Parser parser(out, error);
    if (parser.run(data, size)) return true;
    out = Recording();
    return false;
}

bool readReplayFile(const char* path, Recording& out, std::string& error) {
    out = Recording();
    struct stat info;
    if (stat(path, &info) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        error = "is a folder";
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = "not a regular file";
        return false;
    }
    if (info.st_size > kReplayMaxBytes) {
        error = "too large for a recording";
        return false;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    std::string data(static_cast<std::size_t>(info.st_size), '\0');
    const std::size_t got = data.empty() ? 0 : std::fread(&data[0], 1, data.size(), file);
    // Anything beyond the size seen above (the file grew) is not read.
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    if (readError) {
        error = "cannot be read";
        return false;
    }
    data.resize(got);
    return parseReplayText(data.data(), data.size(), out, error);
}

std::string formatReplayHeader(const ReplayHeader& header) {
    std::string text;
    appendf(text, "%s %d\no %u %d %d\n", kReplayMagic, kReplayVersion, header.seed, header.ballCount,
            header.ballRadius);
    return text;
}

std::string formatRecord(const JournalRecord& r, const SimControls* controls) {
    std::string text;
    const InputEvent& e = r.event;
    switch (r.kind) {
    case RecordKind::Controls: {
        const SimControls& c = *controls;
        unsigned int yawBits = 0;
        std::memcpy(&yawBits, &c.cameraYaw, sizeof yawBits);
        appendf(text, "c %ld", r.step);
        appendDouble(text, c.timeStep);
        appendDouble(text, c.activeTimeStep);
        for (const Vector3* v : {&c.cameraPosition, &c.viewDirection}) {
            appendDouble(text, v->x);
            appendDouble(text, v->y);
            appendDouble(text, v->z);
        }
        appendf(text, " %08x %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d\n", yawBits, c.followBall,
                c.followedShot, c.autoFire, c.launchMode, c.resetRequested, c.soundOn, c.upKeyDown, c.downKeyDown,
                c.leftKeyDown, c.rightKeyDown, c.mouseX, c.mouseY, c.leftButtonDown, c.paused, c.pausedSceneTime,
                c.pausedTotal, static_cast<int>(c.cameraPosition.status), static_cast<int>(c.viewDirection.status));
        break;
    }
    case RecordKind::Event:
        switch (e.kind) {
        case InputKind::SpecialDown:
            appendf(text, "k %ld %d %d\n", r.step, e.a, e.b);
            break;
        case InputKind::SpecialUp:
            appendf(text, "u %ld %d\n", r.step, e.a);
            break;
        case InputKind::MouseButton:
            appendf(text, "m %ld %d %d %d %d\n", r.step, e.a, e.b, e.c, e.d);
            break;
        case InputKind::Motion:
            appendf(text, "p %ld %d %d\n", r.step, e.c, e.d);
            break;
        case InputKind::Release:
            appendf(text, "r %ld\n", r.step);
            break;
        case InputKind::WindowSize:
            appendf(text, "w %ld %d %d\n", r.step, e.a, e.b);
            break;
        }
        break;
    case RecordKind::Clock:
        appendf(text, "t %ld %lld %lld\n", r.step, r.value[0], r.value[1]);
        break;
    case RecordKind::Ray:
        appendf(text, "d %ld %016llx %016llx %016llx %d\n", r.step, static_cast<unsigned long long>(r.value[0]),
                static_cast<unsigned long long>(r.value[1]), static_cast<unsigned long long>(r.value[2]), r.event.a);
        break;
    case RecordKind::Step:
        appendf(text, "s %ld\n", r.step);
        break;
    case RecordKind::Checkpoint:
        appendf(text, "x %ld %016llx\n", r.step, static_cast<unsigned long long>(r.value[0]));
        break;
    case RecordKind::Back:
        appendf(text, "b %ld\n", r.step);
        break;
    case RecordKind::End:
        appendf(text, "e %ld %016llx\n", r.step, static_cast<unsigned long long>(r.value[0]));
        break;
    case RecordKind::Drag:
        if (e.a < 0) {
            appendf(text, "g %ld -1\n", r.step);
        } else {
            appendf(text, "g %ld %d %016llx %016llx %016llx\n", r.step, e.a, static_cast<unsigned long long>(r.value[0]),
                    static_cast<unsigned long long>(r.value[1]), static_cast<unsigned long long>(r.value[2]));
        }
        break;
    case RecordKind::Edit:
        appendf(text, "a %ld %d %c %016llx %016llx %016llx\n", r.step, e.a, e.b == 0 ? 'p' : 'v',
                static_cast<unsigned long long>(r.value[0]), static_cast<unsigned long long>(r.value[1]),
                static_cast<unsigned long long>(r.value[2]));
        break;
    }
    return text;
}

JournalRecord eventRecord(long step, const InputEvent& event) {
    JournalRecord r;
    r.kind = RecordKind::Event;
    r.step = step;
    r.event = event;
    return r;
}

JournalRecord rayRecord(long step, const Vector3& ray) {
    JournalRecord r;
    r.kind = RecordKind::Ray;
    r.step = step;
    storeVector(r, ray);
    r.event.a = ray.status;
    return r;
}

Vector3 rayOf(const JournalRecord& record) {
    Vector3 ray = vectorOf(record);
    ray.status = record.event.a;
    return ray;
}

JournalRecord dragRecord(long step, int ball, const Vector3& target) {
    JournalRecord r;
    r.kind = RecordKind::Drag;
    r.step = step;
    r.event.a = ball < 0 ? -1 : ball;
    if (ball >= 0) storeVector(r, target);
    return r;
}

Vector3 dragTargetOf(const JournalRecord& record) { return vectorOf(record); }

JournalRecord editRecord(long step, int ball, EditedField field, const Vector3& value) {
    JournalRecord r;
    r.kind = RecordKind::Edit;
    r.step = step;
    r.event.a = ball;
    r.event.b = static_cast<int>(field);
    storeVector(r, value);
    return r;
}

EditedField editedFieldOf(const JournalRecord& record) {
    return record.event.b == 0 ? EditedField::Position : EditedField::Velocity;
}

Vector3 editValueOf(const JournalRecord& record) { return vectorOf(record); }

bool dragTargetFits(const Vector3& target) {
    return std::fabs(target.x) <= kReplayMaxDragTarget && std::fabs(target.y) <= kReplayMaxDragTarget &&
           std::fabs(target.z) <= kReplayMaxDragTarget;
}
