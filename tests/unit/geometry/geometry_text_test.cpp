#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <string>

#include "geometry/matrix3.h"
#include "geometry/ray.h"
#include "geometry/vector3.h"

namespace {

template <typename T>
std::string text(const T& value) {
    std::ostringstream output;
    output << value;
    return output.str();
}

std::string rest(std::istream& input) {
    std::string remaining;
    std::getline(input, remaining, '\0');
    return remaining;
}

void expectCoords(const Vector3& v, double x, double y, double z) {
    EXPECT_EQ(v.X(), x);
    EXPECT_EQ(v.Y(), y);
    EXPECT_EQ(v.Z(), z);
}

Vector3 readVector(const std::string& source) {
    std::istringstream input(source);
    Vector3 v(9, 9, 9);
    input >> v;
    return v;
}

}  // namespace

TEST(VectorText, WriteShowsTheStatus) {
    EXPECT_EQ(text(Vector3(1, 2, 3)), "[1,2,3]");
    EXPECT_EQ(text(Unit(Vector3(0, 0, 2))), "<0,0,1>");
    EXPECT_EQ(text(Vector3()), "Invalid");
    EXPECT_EQ(text(Vector3(0.5, -1.25, 1e-7)), "[0.5,-1.25,1e-07]");
    std::ostringstream output;
    EXPECT_EQ(&Vector3(1, 2, 3).Write(output), &output);
}

TEST(VectorText, ReadOrdinaryIsLenient) {
    const Vector3 v = readVector("[1.5, 2, -3]");
    EXPECT_EQ(v.status, StatusOrdinary);
    expectCoords(v, 1.5, 2, -3);
    // Separators are taken by position, never compared.
    const Vector3 odd = readVector("{4;5|6)");
    EXPECT_EQ(odd.status, StatusOrdinary);
    expectCoords(odd, 4, 5, 6);
}

TEST(VectorText, ReadAngleBracketsRenormalises) {
    const Vector3 v = readVector("<3,0,4>");
    EXPECT_EQ(v.status, StatusUnit);
    expectCoords(v, 0.60000000000000009, 0, 0.8);
    const Vector3 zero = readVector(" < 0 , 0 , 0 > ");
    EXPECT_EQ(zero.status, StatusUnit);
    expectCoords(zero, 0, 0, 0);
}

TEST(VectorText, ReadInvalidWord) {
    std::istringstream input("Invalid[1,2,3]");
    Vector3 v(9, 9, 9);
    std::istream& back = v.Read(input);
    EXPECT_EQ(&back, &input);
    EXPECT_EQ(v.IsValid(), 0);
    expectCoords(v, 0, 0, 0);
    EXPECT_FALSE(input.fail());
    EXPECT_EQ(rest(input), "[1,2,3]");

    std::istringstream whole("Invalid");
    whole >> v;
    EXPECT_EQ(v.IsValid(), 0);
    EXPECT_FALSE(whole.fail());
    EXPECT_EQ(whole.peek(), std::istringstream::traits_type::eof());
}

TEST(VectorText, InvalidWordSkipStopsBeforeDOrAfterNineteen) {
    // The leading I alone decides; the skip stops before the first d.
    std::istringstream shortWord("Ixyzd!");
    Vector3 v(1, 1, 1);
    shortWord >> v;
    EXPECT_EQ(v.IsValid(), 0);
    EXPECT_EQ(rest(shortWord), "!");

    // Without a d: 19 characters skipped, one more read as the closing one.
    std::istringstream longWord("I" + std::string(25, 'x') + "[1,2,3]");
    longWord >> v;
    EXPECT_EQ(v.IsValid(), 0);
    EXPECT_EQ(rest(longWord), std::string(5, 'x') + "[1,2,3]");
}

TEST(VectorText, RoundTripKeepsStatus) {
    const Vector3 values[] = {Vector3(1, -2, 3.5), Unit(Vector3(1, 2, 2)), Vector3(), Vector3(0.1, 1e10, -7)};
    for (const Vector3& original : values) {
        std::stringstream stream;
        stream << std::setprecision(17) << original;
        Vector3 back;
        stream >> back;
        EXPECT_EQ(back.status, original.status) << stream.str();
        expectCoords(back, original.X(), original.Y(), original.Z());
    }
    // With the default six digits the coordinates come back rounded.
    std::stringstream stream;
    stream << Vector3(1.0 / 3.0, 2, 3);
    Vector3 back;
    stream >> back;
    expectCoords(back, 0.333333, 2, 3);
}

TEST(VectorText, FailedReadLeavesAnInvalidVector) {
    const char* broken[] = {"[1,a,3]", "[1,2", "", "[", "<3,0,", "[1,2,3"};
    for (const char* source : broken) {
        std::istringstream input(source);
        Vector3 v(9, 9, 9);
        input >> v;
        EXPECT_TRUE(input.fail()) << source;
        EXPECT_EQ(v.status, StatusInvalid) << source;
        expectCoords(v, 0, 0, 0);
    }
    // A stream that has already failed changes nothing but the target.
    std::istringstream failed("[1,2,3]");
    failed.setstate(std::ios::failbit);
    Vector3 v(9, 9, 9);
    failed >> v;
    EXPECT_EQ(v.IsValid(), 0);
}

TEST(RayText, WriteValidAndInvalid) {
    const Ray r(Vector3(1, 2, 3), Unit(Vector3(0, 0, 1)));
    EXPECT_EQ(text(r), "(P=[1,2,3],V=<0,0,1>)");
    EXPECT_EQ(text(Ray()), "Invalid");
    Ray lost = r;
    lost.direction.ClearUnit();
    EXPECT_EQ(text(lost), "Invalid");
}

TEST(RayText, ReadBack) {
    std::istringstream input("(P=[1,2,3],V=<0,0,1>) (P=[1,2,3],V=[0,0,1])Invalid(P=[4,5,6],V=<3,0,4>)");
    Ray r;
    input >> r;
    EXPECT_EQ(r.IsValid(), 1);
    expectCoords(r.Origin(), 1, 2, 3);
    expectCoords(r.Direction(), 0, 0, 1);

    // A direction in square brackets comes back ordinary: the ray is not valid.
    input >> r;
    EXPECT_EQ(r.IsValid(), 0);
    expectCoords(r.Origin(), 1, 2, 3);
    EXPECT_EQ(r.Direction().status, StatusOrdinary);

    input >> r;
    EXPECT_EQ(r.IsValid(), 0);
    EXPECT_EQ(r.Origin().IsValid(), 0);
    EXPECT_EQ(r.Direction().IsValid(), 0);

    std::istream& back = r.Read(input);
    EXPECT_EQ(&back, &input);
    EXPECT_EQ(r.IsValid(), 1);
    expectCoords(r.Direction(), 0.60000000000000009, 0, 0.8);
    EXPECT_FALSE(input.fail());
}

TEST(RayText, RoundTripAndFailedRead) {
    const Ray original(Vector3(-1.5, 0.25, 8), Unit(Vector3(1, -2, 2)));
    std::stringstream stream;
    stream << std::setprecision(17) << original;
    Ray back;
    stream >> back;
    EXPECT_EQ(back.IsValid(), 1);
    expectCoords(back.Origin(), -1.5, 0.25, 8);
    EXPECT_NEAR(back.Direction().Distance(original.Direction()), 0.0, 1e-15);

    std::istringstream broken("(P=[1,2,3],V=<0,x,1>)");
    Ray r(Vector3(1, 1, 1), Unit(Vector3(1, 0, 0)));
    broken >> r;
    EXPECT_TRUE(broken.fail());
    EXPECT_EQ(r.IsValid(), 0);
    EXPECT_EQ(r.Origin().IsValid(), 0);
    EXPECT_EQ(r.Direction().IsValid(), 0);
}

TEST(MatrixText, WriteRowsOnLines) {
    EXPECT_EQ(text(Matrix3()), "(1,0,0)\n(0,1,0)\n(0,0,1)\n");
    EXPECT_EQ(text(Matrix3(1, -2.5, 3, 4, 5, 6, 7, 8, 0.125)), "(1,-2.5,3)\n(4,5,6)\n(7,8,0.125)\n");
}

TEST(MatrixText, ReadBackAndFailedRead) {
    std::istringstream input("(1,-2.5,3)\n(4,5,6)\n(7,8,0.125)\n[9;8;7] [6:5:4}{3,2,1)");
    Matrix3 m;
    std::istream& back = m.Read(input);
    EXPECT_EQ(&back, &input);
    const double expected[9] = {1, -2.5, 3, 4, 5, 6, 7, 8, 0.125};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(m.m[i / 3][i % 3], expected[i]);
    input >> m;
    const double lenient[9] = {9, 8, 7, 6, 5, 4, 3, 2, 1};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(m.m[i / 3][i % 3], lenient[i]);
    EXPECT_FALSE(input.fail());

    const Matrix3 rotation(0.3, -1.1, 2.5);
    std::stringstream stream;
    stream << std::setprecision(17) << rotation;
    Matrix3 again(0, 0, 0, 0, 0, 0, 0, 0, 0);
    stream >> again;
    for (int i = 0; i < 9; ++i) EXPECT_EQ(again.m[i / 3][i % 3], rotation.m[i / 3][i % 3]);

    std::istringstream broken("(1,2,3)\n(4,five,6)\n(7,8,9)\n");
    Matrix3 target(2, 2, 2, 2, 2, 2, 2, 2, 2);
    broken >> target;
    EXPECT_TRUE(broken.fail());
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(target.m[i / 3][i % 3], identity[i]);
}
