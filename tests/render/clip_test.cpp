// Clip codes at the view volume's boundaries and the clipping stages of a tile triangle.
#include <gtest/gtest.h>

#include <cmath>

#include "render/clip.h"

namespace {

class ClipTest : public ::testing::Test {
protected:
    void SetUp() override { buildClipPlanes(); }

    // Clips (a, b, c) with the codes of its corners.
    bool clip(const Point3& a, const Point3& b, const Point3& c, ClipPolygon* out) {
        return clipTriangle(a, clipCodeOf(a), b, clipCodeOf(b), c, clipCodeOf(c), out);
    }
};

void expectPoint(const Point3& p, float x, float y, float z) {
    EXPECT_NEAR(p.x, x, 1e-4f);
    EXPECT_NEAR(p.y, y, 1e-4f);
    EXPECT_NEAR(p.z, z, 1e-4f);
    EXPECT_EQ(p.w, 1.0f);
}

TEST_F(ClipTest, CodesAtTheBoundariesCountAsInside) {
    EXPECT_EQ(clipCodeOf(Point3(0, 0, 2)), 0);
    EXPECT_EQ(clipCodeOf(Point3(0, 0, 1.99f)), ClipNear);
    EXPECT_EQ(clipCodeOf(Point3(0, 0, 30)), 0);
    EXPECT_EQ(clipCodeOf(Point3(0, 0, 30.01f)), ClipFar);
    EXPECT_EQ(clipCodeOf(Point3(10, 0, 10)), 0);
    EXPECT_EQ(clipCodeOf(Point3(-10, 0, 10)), 0);
    EXPECT_EQ(clipCodeOf(Point3(10.001f, 0, 10)), ClipRight);
    EXPECT_EQ(clipCodeOf(Point3(-10.001f, 0, 10)), ClipLeft);
    const float edge = 10.0f * ClipSlope;
    EXPECT_EQ(clipCodeOf(Point3(0, edge, 10)), 0);
    EXPECT_EQ(clipCodeOf(Point3(0, -edge, 10)), 0);
    EXPECT_EQ(clipCodeOf(Point3(0, 6.69f, 10)), ClipBottom);
    EXPECT_EQ(clipCodeOf(Point3(0, -6.69f, 10)), ClipTop);
    // Behind the eye: left and right at once, and near.
    EXPECT_EQ(clipCodeOf(Point3(0, 0, -1)), ClipLeft | ClipRight | ClipTop | ClipBottom | ClipNear);
}

TEST_F(ClipTest, PlanesAreUnitNormalsOfTheirTriangles) {
    const float h = 0.70710677f;
    EXPECT_NEAR(ClipPlanes[PlaneLeft].x, h, 1e-6f);
    EXPECT_NEAR(ClipPlanes[PlaneLeft].z, h, 1e-6f);
    EXPECT_NEAR(ClipPlanes[PlaneRight].x, h, 1e-6f);
    EXPECT_NEAR(ClipPlanes[PlaneRight].z, -h, 1e-6f);
    EXPECT_NEAR(std::fabs(ClipPlanes[PlaneNear].z), 1.0f, 1e-7f);
    EXPECT_NEAR(std::fabs(ClipPlanes[PlaneFar].z), 1.0f, 1e-7f);
    for (const Vector3& n : ClipPlanes) {
        EXPECT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0f, 1e-6f);
        EXPECT_EQ(n.w, 0.0f);
    }
    // Top and bottom contain the direction (0, -+k, 1).
    EXPECT_NEAR(ClipPlanes[PlaneTop].y * -ClipSlope + ClipPlanes[PlaneTop].z, 0.0f, 1e-6f);
    EXPECT_NEAR(ClipPlanes[PlaneBottom].y * ClipSlope + ClipPlanes[PlaneBottom].z, 0.0f, 1e-6f);
}

TEST_F(ClipTest, NearCornerIsCutAtZTwo) {
    ClipPolygon out;
    ASSERT_TRUE(clip(Point3(0, 0, 1.99f), Point3(1, 0, 10), Point3(-1, 1, 10), &out));
    ASSERT_EQ(out.count, 4);
    // a -> b enters (intersection), b, c kept, c -> a leaves (c, then intersection).
    EXPECT_NEAR(out.vertex[0].z, 2.0f, 1e-5f);
    expectPoint(out.vertex[1], 1, 0, 10);
    expectPoint(out.vertex[2], -1, 1, 10);
    EXPECT_NEAR(out.vertex[3].z, 2.0f, 1e-5f);
    EXPECT_EQ(out.code[0], 0);
    EXPECT_EQ(out.code[3], 0);
}

TEST_F(ClipTest, TriangleAcrossLeftAndRightComesOutWithFiveVertices) {
    ClipPolygon out;
    ASSERT_TRUE(clip(Point3(-20, 0, 10), Point3(20, 0, 10), Point3(0, 1, 10), &out));
    ASSERT_EQ(out.count, 5);
    expectPoint(out.vertex[0], -10, 0, 10);
    expectPoint(out.vertex[1], 10, 0, 10);
    expectPoint(out.vertex[2], 10, 0.5f, 10);
    expectPoint(out.vertex[3], 0, 1, 10);
    expectPoint(out.vertex[4], -10, 0.5f, 10);
    for (int i = 0; i < out.count; ++i) EXPECT_EQ(out.code[i], 0) << i;
}

TEST_F(ClipTest, TwoCornersLeftGiveATriangleOnTheLeftPlane) {
    ClipPolygon out;
    ASSERT_TRUE(clip(Point3(-20, 0, 10), Point3(-30, 2, 10), Point3(0, 0, 10), &out));
    ASSERT_EQ(out.count, 3);
    int onPlane = 0;
    for (int i = 0; i < out.count; ++i) {
        const Point3& v = out.vertex[i];
        if (std::fabs(v.x + v.z) < 1e-4f) ++onPlane;
    }
    EXPECT_EQ(onPlane, 2);
    // b -> c enters at x = -z, c is kept, c -> a leaves at x = -z.
    expectPoint(out.vertex[0], -10, 2.0f / 3.0f, 10);
    expectPoint(out.vertex[1], 0, 0, 10);
    expectPoint(out.vertex[2], -10, 0, 10);
}

TEST_F(ClipTest, FarCornerIsKeptWhole) {
    ClipPolygon out;
    ASSERT_TRUE(clip(Point3(0, 0, 10), Point3(1, 0, 20), Point3(0, 1, 31), &out));
    ASSERT_EQ(out.count, 3);
    EXPECT_EQ(out.vertex[2].z, 31.0f);
    EXPECT_EQ(out.code[2], ClipFar);
}

TEST_F(ClipTest, RejectedAfterAStageWhenEveryVertexIsOutsideALaterPlane) {
    // Corner a is only near, b and c are left: no plane holds all three, but both
    // points where the near plane cuts the triangle lie left of the view.
    const Point3 a(-1, 0, 1.5f), b(-20, 0, 10), c(-25, 1, 10);
    ASSERT_EQ(clipCodeOf(a) & clipCodeOf(b) & clipCodeOf(c), 0);
    ClipPolygon out;
    EXPECT_FALSE(clip(a, b, c, &out));
}

TEST_F(ClipTest, EveryPlaneCutGivesAtMostEightVertices) {
    // A large triangle reaching past every side and behind the near plane.
    ClipPolygon out;
    ASSERT_TRUE(clip(Point3(-100, -100, 1), Point3(100, -100, 1), Point3(0, 150, 15), &out));
    EXPECT_GE(out.count, 3);
    EXPECT_LE(out.count, 8);
    for (int i = 0; i < out.count; ++i) {
        const Point3& v = out.vertex[i];
        EXPECT_GE(v.z, 2.0f - 1e-4f);
        EXPECT_LE(std::fabs(v.x), v.z + 1e-3f);
        EXPECT_LE(std::fabs(v.y), v.z * ClipSlope + 1e-3f);
    }
}

}  // namespace
