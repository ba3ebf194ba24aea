// Compact text forms of the geometry types. Reading is lenient: separators
// are consumed by position and never compared. A read that leaves the stream
// failed leaves the target at its default value (an invalid vector or ray,
// the identity matrix), never at half-read coordinates.

#include <istream>
#include <ostream>

#include "geometry/matrix3.h"
#include "geometry/ray.h"
#include "geometry/vector3.h"

namespace {

// After the leading 'I' of "Invalid": take up to 19 characters, stopping
// before the first 'd', which the caller reads as the closing character.
void skipInvalidWord(std::istream& input) {
    for (int taken = 0; taken < 19; ++taken) {
        const int next = input.peek();
        if (next == std::istream::traits_type::eof() || next == 'd') return;
        input.get();
    }
}

}  // namespace

std::ostream& Vector3::Write(std::ostream& output) const {
    if (status == StatusUnit)
        output << '<' << x << ',' << y << ',' << z << '>';
    else if (IsValid())
        output << '[' << x << ',' << y << ',' << z << ']';
    else
        output << "Invalid";
    return output;
}

std::istream& Vector3::Read(std::istream& input) {
    char opening = '\0';
    input >> opening;
    Vector3 value;
    if (opening == 'I') {
        skipInvalidWord(input);
    } else {
        double vx = 0.0, vy = 0.0, vz = 0.0;
        char separator = '\0';
        input >> vx >> separator >> vy >> separator >> vz;
        value = Vector3(vx, vy, vz);
        // A unit vector is re-normalised rather than trusted.
        if (opening == '<') value.Normalise();
    }
    char closing = '\0';
    input >> closing;
    *this = input.fail() ? Vector3() : value;
    return input;
}

std::ostream& Ray::Write(std::ostream& output) const {
    if (IsValid())
        output << "(P=" << origin << ",V=" << direction << ')';
    else
        output << "Invalid";
    return output;
}

std::istream& Ray::Read(std::istream& input) {
    char opening = '\0';
    input >> opening;
    Ray value;
    if (opening == 'I') {
        skipInvalidWord(input);
    } else {
        char skipped = '\0';
        input >> skipped >> skipped;  // "P="
        value.origin.Read(input);
        input >> skipped >> skipped >> skipped;  // ",V="
        value.direction.Read(input);
    }
    char closing = '\0';
    input >> closing;
    *this = input.fail() ? Ray() : value;
    return input;
}

std::ostream& Matrix3::Write(std::ostream& output) const {
    for (const auto& row : m) output << '(' << row[0] << ',' << row[1] << ',' << row[2] << ')' << std::endl;
    return output;
}

std::istream& Matrix3::Read(std::istream& input) {
    Matrix3 value;
    for (auto& row : value.m) {
        char separator = '\0';
        input >> separator >> row[0] >> separator >> row[1] >> separator >> row[2] >> separator;
    }
    *this = input.fail() ? Matrix3() : value;
    return input;
}

std::ostream& operator<<(std::ostream& output, const Vector3& v) { return v.Write(output); }
std::istream& operator>>(std::istream& input, Vector3& v) { return v.Read(input); }
std::ostream& operator<<(std::ostream& output, const Ray& r) { return r.Write(output); }
std::istream& operator>>(std::istream& input, Ray& r) { return r.Read(input); }
std::ostream& operator<<(std::ostream& output, const Matrix3& m) { return m.Write(output); }
std::istream& operator>>(std::istream& input, Matrix3& m) { return m.Read(input); }
