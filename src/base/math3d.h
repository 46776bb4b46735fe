// Single-precision geometry: homogeneous points and vectors, 2D tuples, the 4 x 4
// matrix and the triangle. Points are row vectors carried by p x M; matrices are
// row-major, element (r, c) is m[4r + c], and row 3 holds the translation.
//
// Every class has a virtual destructor and nothing else virtual. Default construction
// of Tuple4, Point3, Vector3 and Matrix4 sets no components.
#pragma once

class Tuple4 {
public:
    float x, y, z, w;

    Tuple4() {}
    Tuple4(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}
    Tuple4(const Tuple4&) = default;
    Tuple4& operator=(const Tuple4&) = default;
    virtual ~Tuple4() {}

    // Component i by value (0 = x, 1 = y, 2 = z, 3 = w); the index is not checked.
    float operator[](int i) const { return (&x)[i]; }
    float& operator[](int i) { return (&x)[i]; }

    void set(float nx, float ny, float nz, float nw) { x = nx; y = ny; z = nz; w = nw; }
    // x*t.x + y*t.y + z*t.z + w*t.w, summed left to right in float.
    float dot(const Tuple4& t) const;
    // Every component within 0.00001.
    bool operator==(const Tuple4& t) const;
    // Some component more than 0.00001 apart.
    bool operator!=(const Tuple4& t) const;
    // Index of the component (x, y, z) with the largest magnitude; ties keep the lower.
    int largestAxis() const;
    // Index of the component (x, y, z) with the smallest magnitude; ties take the higher.
    int smallestAxis() const;
};

class Vector3;

class Point3 : public Tuple4 {
public:
    Point3() {}
    // A w other than exactly 1 is divided out: (x/w, y/w, z/w, 1).
    Point3(float x, float y, float z, float w = 1.0f);
    Point3(const Point3&) = default;
    Point3& operator=(const Point3&) = default;
    ~Point3() override {}

    // The three constructions from a plain tuple.
    static Point3 copyOf(const Tuple4& t);        // all four components unchanged
    static Point3 asPoint(const Tuple4& t);       // (x, y, z, 1), the source w ignored
    static Point3 normalisedFrom(const Tuple4& t);// w divided out unless exactly 1

    // Plain assignment from a tuple: all four components, no division.
    Point3& assignCopy(const Tuple4& t);
    // Brings a projected tuple back to w = 1 (copied unchanged when w is exactly 1).
    Point3& assignNormalised(const Tuple4& t);

    // (x - q.x, y - q.y, z - q.z, 0)
    Vector3 operator-(const Point3& q) const;
    // (x + v.x, y + v.y, z + v.z, 1)
    Point3 operator+(const Vector3& v) const;
};

class Vector3 : public Tuple4 {
public:
    Vector3() {}
    Vector3(float x, float y, float z, float w = 0.0f) : Tuple4(x, y, z, w) {}
    Vector3(const Vector3&) = default;
    Vector3& operator=(const Vector3&) = default;
    ~Vector3() override {}

    static Vector3 copyOf(const Tuple4& t);       // all four components
    static Vector3 directionOf(const Tuple4& t);  // x, y, z with w = 0
    Vector3& assignCopy(const Tuple4& t);         // all four components
    Vector3& assignDirection(const Tuple4& t);    // x, y, z with w = 0

    Vector3 operator*(float s) const;             // (s*x, s*y, s*z, 0)
    Vector3 operator/(float s) const;             // (x/s, y/s, z/s, 0)
    Vector3 operator+(const Vector3& v) const;    // componentwise, w = 0
    Vector3 operator-(const Vector3& v) const;    // componentwise, w = 0
    Vector3& operator+=(const Vector3& v);        // x, y, z added, w unchanged
    Vector3 operator-() const;                    // (-x, -y, -z, 0)
    Vector3 cross(const Vector3& v) const;
    // Square root taken in double of dot(*this) (w included), rounded to float.
    float length() const;
    // Divides x, y, z by the length in place; w unchanged.
    void normalize();
};

Vector3 operator*(float s, const Vector3& v);

class Tuple2 {
public:
    float x, y;

    Tuple2() {}
    Tuple2(float x, float y) : x(x), y(y) {}
    Tuple2(const Tuple2&) = default;
    Tuple2& operator=(const Tuple2&) = default;
    virtual ~Tuple2() {}

    float operator[](int i) const { return (&x)[i]; }
    float& operator[](int i) { return (&x)[i]; }

    void set(float nx, float ny) { x = nx; y = ny; }
    float dot(const Tuple2& t) const;
    bool operator==(const Tuple2& t) const;
    bool operator!=(const Tuple2& t) const;
};

class Vector2;

class Point2 : public Tuple2 {
public:
    Point2() {}
    Point2(float x, float y) : Tuple2(x, y) {}
    Point2(const Point2&) = default;
    Point2& operator=(const Point2&) = default;
    ~Point2() override {}

    Point2 operator+(const Vector2& v) const;
    Vector2 operator-(const Point2& q) const;
};

class Vector2 : public Tuple2 {
public:
    Vector2() {}
    Vector2(float x, float y) : Tuple2(x, y) {}
    Vector2(const Vector2&) = default;
    Vector2& operator=(const Vector2&) = default;
    ~Vector2() override {}

    Vector2 operator*(float s) const;
    Vector2 scaled(float s) const;                // the same as operator*
    Vector2 operator+(const Vector2& v) const;
    Vector2 operator-(const Vector2& v) const;
    float length() const;
    void normalize();
};

class Matrix4 {
public:
    float m[16];

    Matrix4() {}
    // Sixteen floats, row-major.
    explicit Matrix4(const float values[16]);
    Matrix4(const Matrix4&) = default;
    Matrix4& operator=(const Matrix4&) = default;
    virtual ~Matrix4() {}

    // Element (row, col); the indices are not checked.
    float& operator()(int row, int col) { return m[4 * row + col]; }
    float operator()(int row, int col) const { return m[4 * row + col]; }

    Tuple4 row(int r) const;
    Tuple4 column(int c) const;

    // Element (r, c) = dot of row r of this with column c of b.
    Matrix4 operator*(const Matrix4& b) const;
    // (-1)^(r+c) times the determinant of the 3 x 3 minor without row r and column c.
    float cofactor(int r, int c) const;
    // Expansion along row 0.
    float determinant() const;
    // Element (c, r) = cofactor(r, c) / determinant(); a zero determinant is not tested.
    Matrix4 inverse() const;
};

// Row-vector transform v x m: (v.col0, v.col1, v.col2, v.col3), w not divided.
Tuple4 operator*(const Tuple4& v, const Matrix4& m);
// Column-vector transform m x v: (row0.v, row1.v, row2.v, row3.v).
Tuple4 operator*(const Matrix4& m, const Tuple4& v);

class Primitive {
public:
    virtual ~Primitive() {}
};

class Triangle3 : public Primitive {
public:
    Point3 P0, P1, P2;

    Triangle3() {}
    Triangle3(const Point3& p0, const Point3& p1, const Point3& p2) : P0(p0), P1(p1), P2(p2) {}
    Triangle3(const Triangle3&) = default;
    Triangle3& operator=(const Triangle3&) = default;
    ~Triangle3() override {}

    Point3 corner(int i) const;
    // (P2 - P1) cross (P2 - P0), not normalised.
    Vector3 normal() const;
};

extern const Matrix4 IdentityMatrix;   // the identity
extern const Point3 OriginPoint3;      // (0, 0, 0, 1)
extern const Point2 OriginPoint2;      // (0, 0)
extern const Vector3 ZeroVector3;      // (0, 0, 0, 0)
