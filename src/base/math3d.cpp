// Single-precision geometry. Every result is computed in float in the order written
// here; only Vector3::length takes its square root in double.
#include "base/math3d.h"

#include <cmath>

namespace {

// Tolerance of the equality tests, compared against the float difference.
const double Tolerance = 0.00001;

bool closeTo(float a, float b) { return std::fabs(a - b) < Tolerance; }
bool apartFrom(float a, float b) { return std::fabs(a - b) > Tolerance; }

}  // namespace

// ---- Tuple4 -----------------------------------------------------------------

float Tuple4::dot(const Tuple4& t) const {
    float sum = x * t.x;
    sum = sum + y * t.y;
    sum = sum + z * t.z;
    sum = sum + w * t.w;
    return sum;
}

bool Tuple4::operator==(const Tuple4& t) const {
    return closeTo(x, t.x) && closeTo(y, t.y) && closeTo(z, t.z) && closeTo(w, t.w);
}

bool Tuple4::operator!=(const Tuple4& t) const {
    return apartFrom(x, t.x) || apartFrom(y, t.y) || apartFrom(z, t.z) || apartFrom(w, t.w);
}

int Tuple4::largestAxis() const {
    int axis = 0;
    if (std::fabs(x) < std::fabs(y)) axis = 1;
    if (std::fabs((*this)[axis]) < std::fabs(z)) axis = 2;
    return axis;
}

int Tuple4::smallestAxis() const {
    int axis = 0;
    if (std::fabs(x) >= std::fabs(y)) axis = 1;
    if (std::fabs((*this)[axis]) >= std::fabs(z)) axis = 2;
    return axis;
}

// ---- Point3 -----------------------------------------------------------------

Point3::Point3(float px, float py, float pz, float pw) {
    if (pw != 1.0f)
        set(px / pw, py / pw, pz / pw, 1.0f);
    else
        set(px, py, pz, pw);
}

Point3 Point3::copyOf(const Tuple4& t) {
    Point3 p;
    p.set(t.x, t.y, t.z, t.w);
    return p;
}

Point3 Point3::asPoint(const Tuple4& t) {
    Point3 p;
    p.set(t.x, t.y, t.z, 1.0f);
    return p;
}

Point3 Point3::normalisedFrom(const Tuple4& t) {
    Point3 p;
    p.assignNormalised(t);
    return p;
}

Point3& Point3::assignCopy(const Tuple4& t) {
    set(t.x, t.y, t.z, t.w);
    return *this;
}

Point3& Point3::assignNormalised(const Tuple4& t) {
    if (t.w != 1.0f)
        set(t.x / t.w, t.y / t.w, t.z / t.w, 1.0f);
    else
        set(t.x, t.y, t.z, t.w);
    return *this;
}

Vector3 Point3::operator-(const Point3& q) const {
    return Vector3(x - q.x, y - q.y, z - q.z, 0.0f);
}

Point3 Point3::operator+(const Vector3& v) const {
    Point3 p;
    p.set(x + v.x, y + v.y, z + v.z, 1.0f);
    return p;
}

// ---- Vector3 ----------------------------------------------------------------

Vector3 Vector3::copyOf(const Tuple4& t) { return Vector3(t.x, t.y, t.z, t.w); }

Vector3 Vector3::directionOf(const Tuple4& t) { return Vector3(t.x, t.y, t.z, 0.0f); }

Vector3& Vector3::assignCopy(const Tuple4& t) {
    set(t.x, t.y, t.z, t.w);
    return *this;
}

Vector3& Vector3::assignDirection(const Tuple4& t) {
    set(t.x, t.y, t.z, 0.0f);
    return *this;
}

Vector3 Vector3::operator*(float s) const { return Vector3(s * x, s * y, s * z, 0.0f); }

Vector3 operator*(float s, const Vector3& v) { return v * s; }

Vector3 Vector3::operator/(float s) const { return Vector3(x / s, y / s, z / s, 0.0f); }

Vector3 Vector3::operator+(const Vector3& v) const {
    return Vector3(x + v.x, y + v.y, z + v.z, 0.0f);
}

Vector3 Vector3::operator-(const Vector3& v) const {
    return Vector3(x - v.x, y - v.y, z - v.z, 0.0f);
}

Vector3& Vector3::operator+=(const Vector3& v) {
    x = x + v.x;
    y = y + v.y;
    z = z + v.z;
    return *this;
}

Vector3 Vector3::operator-() const { return Vector3(-x, -y, -z, 0.0f); }

Vector3 Vector3::cross(const Vector3& v) const {
    return Vector3(y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x, 0.0f);
}

float Vector3::length() const {
    return static_cast<float>(std::sqrt(static_cast<double>(dot(*this))));
}

void Vector3::normalize() {
    float len = length();
    x = x / len;
    y = y / len;
    z = z / len;
}

// ---- 2D ---------------------------------------------------------------------

float Tuple2::dot(const Tuple2& t) const {
    float sum = x * t.x;
    sum = sum + y * t.y;
    return sum;
}

bool Tuple2::operator==(const Tuple2& t) const { return closeTo(x, t.x) && closeTo(y, t.y); }

bool Tuple2::operator!=(const Tuple2& t) const { return apartFrom(x, t.x) || apartFrom(y, t.y); }

Point2 Point2::operator+(const Vector2& v) const { return Point2(x + v.x, y + v.y); }

Vector2 Point2::operator-(const Point2& q) const { return Vector2(x - q.x, y - q.y); }

Vector2 Vector2::operator*(float s) const { return Vector2(s * x, s * y); }

Vector2 Vector2::scaled(float s) const { return Vector2(s * x, s * y); }

Vector2 Vector2::operator+(const Vector2& v) const { return Vector2(x + v.x, y + v.y); }

Vector2 Vector2::operator-(const Vector2& v) const { return Vector2(x - v.x, y - v.y); }

float Vector2::length() const {
    float squares = x * x + y * y;
    return std::sqrt(squares);
}

void Vector2::normalize() {
    float len = length();
    x = x / len;
    y = y / len;
}

// ---- Matrix4 ----------------------------------------------------------------

Matrix4::Matrix4(const float values[16]) {
    for (int i = 0; i < 16; ++i) m[i] = values[i];
}

Tuple4 Matrix4::row(int r) const {
    return Tuple4(m[4 * r], m[4 * r + 1], m[4 * r + 2], m[4 * r + 3]);
}

Tuple4 Matrix4::column(int c) const { return Tuple4(m[c], m[4 + c], m[8 + c], m[12 + c]); }

Matrix4 Matrix4::operator*(const Matrix4& b) const {
    Matrix4 product;
    for (int r = 0; r < 4; ++r) {
        Tuple4 rowR = row(r);
        for (int c = 0; c < 4; ++c) product(r, c) = rowR.dot(b.column(c));
    }
    return product;
}

float Matrix4::cofactor(int r, int c) const {
    int rows[3], cols[3];
    for (int i = 0, n = 0; i < 4; ++i)
        if (i != r) rows[n++] = i;
    for (int i = 0, n = 0; i < 4; ++i)
        if (i != c) cols[n++] = i;
    const Matrix4& a = *this;
    int r0 = rows[0], r1 = rows[1], r2 = rows[2];
    int c0 = cols[0], c1 = cols[1], c2 = cols[2];
    float det = a(r0, c0) * (a(r1, c1) * a(r2, c2) - a(r1, c2) * a(r2, c1));
    det = det - a(r0, c1) * (a(r1, c0) * a(r2, c2) - a(r1, c2) * a(r2, c0));
    det = det + a(r0, c2) * (a(r1, c0) * a(r2, c1) - a(r1, c1) * a(r2, c0));
    return ((r + c) & 1) ? -det : det;
}

float Matrix4::determinant() const {
    float det = m[0] * cofactor(0, 0);
    for (int c = 1; c < 4; ++c) det = det + m[c] * cofactor(0, c);
    return det;
}

Matrix4 Matrix4::inverse() const {
    float det = determinant();
    Matrix4 result;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) result(c, r) = cofactor(r, c) / det;
    return result;
}

Tuple4 operator*(const Tuple4& v, const Matrix4& m) {
    return Tuple4(v.dot(m.column(0)), v.dot(m.column(1)), v.dot(m.column(2)), v.dot(m.column(3)));
}

Tuple4 operator*(const Matrix4& m, const Tuple4& v) {
    return Tuple4(m.row(0).dot(v), m.row(1).dot(v), m.row(2).dot(v), m.row(3).dot(v));
}

// ---- Triangle3 --------------------------------------------------------------

Point3 Triangle3::corner(int i) const {
    if (i == 0) return P0;
    if (i == 1) return P1;
    return P2;
}

Vector3 Triangle3::normal() const { return (P2 - P1).cross(P2 - P0); }

// ---- constants --------------------------------------------------------------

namespace {
const float IdentityValues[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

const Matrix4 IdentityMatrix(IdentityValues);
const Point3 OriginPoint3(0.0f, 0.0f, 0.0f, 1.0f);
const Point2 OriginPoint2(0.0f, 0.0f);
const Vector3 ZeroVector3(0.0f, 0.0f, 0.0f, 0.0f);
