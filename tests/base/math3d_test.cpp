// Points, vectors and matrices: the conversions, the tolerance rules and the exact float
// order of the products and inverses.
#include <gtest/gtest.h>

#include "base/math3d.h"

namespace {

void expectTuple(const Tuple4& t, float x, float y, float z, float w) {
    EXPECT_FLOAT_EQ(t.x, x);
    EXPECT_FLOAT_EQ(t.y, y);
    EXPECT_FLOAT_EQ(t.z, z);
    EXPECT_FLOAT_EQ(t.w, w);
}

Matrix4 matrixOfRows(std::initializer_list<float> values) {
    float m[16];
    int i = 0;
    for (float v : values) m[i++] = v;
    return Matrix4(m);
}

// The start camera: turned a quarter about y, the eye at (15, -1, 7.6).
Matrix4 startCamera() {
    return matrixOfRows({0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, -15, 1, -7.6f, 1});
}

}  // namespace

TEST(Point3Test, ConstructionDividesOutAnyWOtherThanOne) {
    expectTuple(Point3(2, 4, 6, 2), 1, 2, 3, 1);
    expectTuple(Point3(2, 4, 6, 1), 2, 4, 6, 1);
    expectTuple(Point3(2, 4, 6), 2, 4, 6, 1);
}

TEST(Point3Test, TheThreeConstructionsAndTwoAssignmentsFromATuple) {
    Tuple4 t(2, 4, 6, 2);
    expectTuple(Point3::copyOf(t), 2, 4, 6, 2);
    expectTuple(Point3::asPoint(t), 2, 4, 6, 1);
    expectTuple(Point3::normalisedFrom(t), 1, 2, 3, 1);

    Point3 p;
    p.assignNormalised(t);
    expectTuple(p, 1, 2, 3, 1);
    p.assignCopy(t);
    expectTuple(p, 2, 4, 6, 2);

    // A w of exactly 1 is copied, not divided.
    Tuple4 exact(0.1f, 0.2f, 0.3f, 1.0f);
    p.assignNormalised(exact);
    EXPECT_EQ(p.x, 0.1f);
    EXPECT_EQ(p.w, 1.0f);
}

TEST(Point3Test, DifferenceIsAVectorAndSumAPoint) {
    Point3 p(5, 6, 7), q(1, 2, 3);
    Vector3 d = p - q;
    expectTuple(d, 4, 4, 4, 0);
    expectTuple(q + d, 5, 6, 7, 1);
}

TEST(Tuple4Test, EqualityUsesTheTolerance) {
    Tuple4 zero(0, 0, 0, 0);
    EXPECT_TRUE(zero == Tuple4(0.000009f, 0, 0, 0));
    EXPECT_FALSE(zero != Tuple4(0.000009f, 0, 0, 0));
    EXPECT_FALSE(zero == Tuple4(0.00002f, 0, 0, 0));
    EXPECT_TRUE(zero != Tuple4(0.00002f, 0, 0, 0));
    EXPECT_FALSE(zero == Tuple4(0, 0, 0, 0.00002f));
}

TEST(Tuple4Test, AxisTieRules) {
    EXPECT_EQ(Tuple4(1, -3, 3, 0).largestAxis(), 1);
    EXPECT_EQ(Tuple4(1, 2, -5, 0).largestAxis(), 2);
    EXPECT_EQ(Tuple4(4, 4, 4, 0).largestAxis(), 0);
    EXPECT_EQ(Tuple4(2, 2, 5, 0).smallestAxis(), 1);
    EXPECT_EQ(Tuple4(3, 3, 3, 0).smallestAxis(), 2);
    EXPECT_EQ(Tuple4(1, 2, 3, 0).smallestAxis(), 0);
}

TEST(Tuple4Test, DotSumsLeftToRightInFloat) {
    // 1e8 + 1 is 1e8 in float; summed left to right the result is 1, not 2 or 0.
    Tuple4 a(1e8f, 1, -1e8f, 1);
    EXPECT_EQ(a.dot(Tuple4(1, 1, 1, 1)), 1.0f);
}

TEST(Vector3Test, CrossScaleAndNegation) {
    expectTuple(Vector3(1, 0, 0).cross(Vector3(0, 1, 0)), 0, 0, 1, 0);
    expectTuple(Vector3(1, 2, 3, 7) * 2.0f, 2, 4, 6, 0);
    expectTuple(Vector3(2, 4, 6, 7) / 2.0f, 1, 2, 3, 0);
    expectTuple(-Vector3(1, -2, 3, 7), -1, 2, -3, 0);
    Vector3 v(1, 1, 1, 5);
    v += Vector3(1, 2, 3);
    expectTuple(v, 2, 3, 4, 5);
    expectTuple(Vector3::directionOf(Tuple4(1, 2, 3, 4)), 1, 2, 3, 0);
    expectTuple(Vector3::copyOf(Tuple4(1, 2, 3, 4)), 1, 2, 3, 4);
}

TEST(Vector3Test, LengthIncludesWAndNormalizeKeepsIt) {
    EXPECT_EQ(Vector3(3, 4, 0).length(), 5.0f);
    EXPECT_EQ(Vector3(0, 0, 0, 2).length(), 2.0f);
    Vector3 v(0, 3, 4, 0);
    v.normalize();
    expectTuple(v, 0, 0.6f, 0.8f, 0);
}

TEST(Matrix4Test, InverseOfTheStartCamera) {
    Matrix4 camera = startCamera();
    EXPECT_FLOAT_EQ(camera.determinant(), 1.0f);
    Matrix4 inverse = camera.inverse();
    const float expected[16] = {0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, -7.6f, -1, 15, 1};
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(inverse.m[i], expected[i]) << i;
}

TEST(Matrix4Test, MatrixTimesInverseIsTheIdentity) {
    Matrix4 a = matrixOfRows({2, 0.5f, 0, 0, -1, 3, 0.25f, 0, 0, 1, 4, 0, 7, -2, 5, 1});
    Matrix4 product = a * a.inverse();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(product(r, c), IdentityMatrix(r, c), 1e-5) << r << "," << c;
}

TEST(Matrix4Test, CofactorSignsAndElementAccess) {
    Matrix4 a = matrixOfRows({1, 2, 3, 4, 0, 1, 4, 0, 5, 6, 0, 0, 0, 0, 0, 1});
    // Minor without row 3 and column 3 is the 3 x 3 [[1,2,3],[0,1,4],[5,6,0]], det 1.
    EXPECT_FLOAT_EQ(a.cofactor(3, 3), 1.0f);
    // Without row 0 and column 1: [[0,4,0],[5,0,0],[0,0,1]], det -20, sign negative.
    EXPECT_FLOAT_EQ(a.cofactor(0, 1), 20.0f);
    EXPECT_FLOAT_EQ(a.determinant(), 1.0f);
    a(1, 2) = 9.0f;
    EXPECT_EQ(a.m[6], 9.0f);
}

TEST(Matrix4Test, RowVectorTransformAndProjection) {
    Matrix4 projection = matrixOfRows({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0});
    Tuple4 projected = Point3(1, 2, 3) * projection;
    expectTuple(projected, 1, 2, 1, 3);
    Point3 p;
    p.assignNormalised(projected);
    expectTuple(p, 1.0f / 3.0f, 2.0f / 3.0f, 1.0f / 3.0f, 1);

    // Row 3 carries the translation of a point; a vector with w = 0 is not moved.
    Matrix4 move = IdentityMatrix;
    move(3, 0) = 5;
    expectTuple(Point3(1, 1, 1) * move, 6, 1, 1, 1);
    expectTuple(Vector3(1, 1, 1) * move, 1, 1, 1, 0);
    // The column-vector form uses the rows instead.
    expectTuple(move * Tuple4(1, 1, 1, 1), 1, 1, 1, 6);
}

TEST(Matrix4Test, ProductTakesRowsOfTheLeftWithColumnsOfTheRight) {
    Matrix4 a = matrixOfRows({1, 2, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    Matrix4 b = matrixOfRows({1, 0, 0, 0, 3, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    Matrix4 ab = a * b;
    EXPECT_FLOAT_EQ(ab(0, 0), 7.0f);  // 1*1 + 2*3
    EXPECT_FLOAT_EQ(ab(0, 1), 2.0f);
    Matrix4 ba = b * a;
    EXPECT_FLOAT_EQ(ba(1, 1), 7.0f);  // 3*2 + 1*1
}

TEST(Triangle3Test, NormalIsNotNormalised) {
    Triangle3 t(Point3(-10, 0, 10), Point3(-10, 10, 10), Point3(0, 0, 0));
    expectTuple(t.normal(), 100, 0, 100, 0);
    expectTuple(t.corner(1), -10, 10, 10, 1);
}

TEST(Tuple2Test, TwoDimensionalFamily) {
    Point2 p(1, 2);
    Vector2 v(3, 4);
    Point2 q = p + v;
    EXPECT_FLOAT_EQ(q.x, 4);
    EXPECT_FLOAT_EQ(q.y, 6);
    Vector2 d = q - p;
    EXPECT_FLOAT_EQ(d.length(), 5);
    d.normalize();
    EXPECT_FLOAT_EQ(d.x, 0.6f);
    EXPECT_TRUE(Tuple2(0, 0) == Tuple2(0.000009f, 0));
    EXPECT_TRUE(Tuple2(0, 0) != Tuple2(0, 0.00002f));
    EXPECT_FLOAT_EQ(v.dot(Tuple2(1, 1)), 7);
}

TEST(MathConstantsTest, Values) {
    expectTuple(OriginPoint3, 0, 0, 0, 1);
    expectTuple(ZeroVector3, 0, 0, 0, 0);
    EXPECT_EQ(OriginPoint2.x, 0.0f);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(IdentityMatrix(r, c), r == c ? 1.0f : 0.0f);
}
