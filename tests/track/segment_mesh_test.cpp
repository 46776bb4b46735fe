// The tile catalogue: points, triangles and end positions of every kind and variant,
// the four turned frames, the mirrored shapes and the empty tile for anything else.
#include <gtest/gtest.h>

#include <cstdio>

#include <string>

#include "track/segment_mesh.h"

namespace {

struct KindCounts {
    char kind;
    int points;
    int triangles;
    int lastVariant;  // variants 1 to lastVariant exist
};

const KindCounts Kinds[] = {
    {'g', 32, 18, 4}, {'a', 36, 26, 8}, {'e', 36, 26, 8}, {'s', 36, 26, 8}, {'i', 33, 20, 8},
    {'l', 39, 32, 4}, {'r', 39, 32, 4}, {'j', 44, 32, 4}, {'z', 42, 24, 4},
};

std::string lineOf(char kind, int variant, int slope) {
    char line[40];
    std::snprintf(line, sizeof line, "%c%d %d 0\n", kind, variant, slope);
    return line;
}

SegmentMesh build(char kind, int variant, int slope, float x = 10, float y = 0, float z = 10) {
    return buildSegmentMesh(lineOf(kind, variant, slope).c_str(), x, y, z);
}

void expectPoint(const Point3& p, float x, float y, float z) {
    EXPECT_NEAR(p.x, x, 1e-5);
    EXPECT_NEAR(p.y, y, 1e-5);
    EXPECT_NEAR(p.z, z, 1e-5);
    EXPECT_EQ(p.w, 1.0f);
}

void expectEnd(const SegmentMesh& m, float x, float y, float z) {
    EXPECT_NEAR(m.endX, x, 1e-5);
    EXPECT_NEAR(m.endY, y, 1e-5);
    EXPECT_NEAR(m.endZ, z, 1e-5);
}

void expectColour(const MeshPolygon& p, int r, int g, int b) {
    EXPECT_EQ(p.red, r);
    EXPECT_EQ(p.green, g);
    EXPECT_EQ(p.blue, b);
}

void expectTriangle(const MeshPolygon& p, int a, int b, int c) {
    EXPECT_EQ(p.vertexA, a);
    EXPECT_EQ(p.vertexB, b);
    EXPECT_EQ(p.vertexC, c);
}

// Turns a ground offset a quarter to the left, as one step of heading: (dx, dz) -> (-dz, dx).
void turnLeft(float& dx, float& dz) {
    float t = dx;
    dx = -dz;
    dz = t;
}

}  // namespace

TEST(SegmentMeshTest, StraightTileInTheFirstVariant) {
    SegmentMesh m = buildSegmentMesh("g1 2 0\n", 10, 0, 10);
    EXPECT_EQ(m.kind, 'g');
    EXPECT_EQ(m.variant, 1);
    EXPECT_EQ(m.slope, 2);
    EXPECT_EQ(m.refCount, 0);
    EXPECT_EQ(m.pointCount, 32);
    EXPECT_EQ(m.polygonCount, 18);
    // Exactly: each coordinate is the start plus one table constant.
    EXPECT_EQ(m.points[1].x, 14.0f);
    EXPECT_EQ(m.points[1].y, 0.0f);
    EXPECT_EQ(m.points[1].z, 10.0f);
    EXPECT_EQ(m.points[7].x, 20.0f);
    EXPECT_EQ(m.points[7].y, 2.0f);
    EXPECT_EQ(m.points[7].z, 20.0f);
    EXPECT_EQ(m.endX, 10.0f);
    EXPECT_EQ(m.endY, 2.0f);
    EXPECT_EQ(m.endZ, 20.0f);
    // The fence tape at the far end hangs 0.7 to 0.75 above the end height.
    expectPoint(m.points[8 + 10], 10.2f, 1.3f, 20);
    expectPoint(m.points[8 + 23], 19.8f, 1.25f, 20);
}

TEST(SegmentMeshTest, StraightTileTurnedToMinusX) {
    SegmentMesh m = buildSegmentMesh("g2 3 0\n", 10, 0, 10);
    expectPoint(m.points[1], 10, 0, 14);
    expectPoint(m.points[4], 0, 3, 10);
    expectEnd(m, 0, 3, 10);
}

TEST(SegmentMeshTest, EndPositionsOfTheTurnsAndTheJump) {
    for (int slope : {0, 1, 3}) {
        expectEnd(build('r', 1, slope), 20, 0, 20);
        expectEnd(build('l', 1, slope), 10, 0, 10);
        expectEnd(build('i', 1, slope), 20, 0, 20);
        expectEnd(build('i', 5, slope), 10, 0, 10);
        expectEnd(build('j', 1, slope), 10, 2, 20);
        expectEnd(build('z', 1, slope), 10, static_cast<float>(slope), 20);
    }
    // A right turn heading -x ends on its +s side (+z), a left turn where it started.
    expectEnd(build('r', 2, 1), 0, 0, 20);
    expectEnd(build('l', 3, 1), 10, 0, 10);
}

TEST(SegmentMeshTest, JumpIgnoresTheSlope) {
    SegmentMesh flat = build('j', 3, 0), steep = build('j', 3, 3);
    ASSERT_EQ(flat.pointCount, 44);
    for (int i = 0; i < flat.pointCount; ++i) {
        EXPECT_EQ(flat.points[i].x, steep.points[i].x) << i;
        EXPECT_EQ(flat.points[i].y, steep.points[i].y) << i;
        EXPECT_EQ(flat.points[i].z, steep.points[i].z) << i;
    }
    expectEnd(steep, 10, 2, 0);
}

TEST(SegmentMeshTest, BannerGateIgnoresTheVariant) {
    SegmentMesh first = build('z', 1, 2), third = build('z', 3, 2), none = build('z', 0, 2);
    EXPECT_EQ(third.variant, 3);
    EXPECT_EQ(none.pointCount, 42);
    for (int i = 0; i < first.pointCount; ++i) {
        EXPECT_EQ(first.points[i].x, third.points[i].x) << i;
        EXPECT_EQ(first.points[i].z, third.points[i].z) << i;
        EXPECT_EQ(first.points[i].x, none.points[i].x) << i;
    }
    EXPECT_EQ(first.endZ, third.endZ);
    // The banner stands at mid-tile from the start height, 2.5 to 3.5 above it.
    expectPoint(first.points[32], 12, 0, 15);
    expectPoint(first.points[41], 18, -3.5f, 15);
    expectTriangle(first.polygons[18], 32, 33, 38);
    expectTriangle(first.polygons[23], 37, 39, 40);
}

TEST(SegmentMeshTest, SecondShapesStartFromTheFarCorner) {
    SegmentMesh s = build('s', 5, 0);
    expectPoint(s.points[0], 20, 0, 10);
    expectPoint(s.points[3], 10, 0, 10);
    SegmentMesh i = build('i', 5, 0);
    expectPoint(i.points[0], 20, 0, 10);
    expectPoint(i.points[3], 10, 0, 10);
    // 'a' and 'e' keep their start corner as point 0 in both shapes.
    expectPoint(build('a', 5, 0).points[0], 10, 0, 10);
    expectPoint(build('e', 7, 0).points[0], 10, 0, 10);
}

TEST(SegmentMeshTest, SlopeSetsTheGradient) {
    SegmentMesh level = build('g', 1, 0);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(level.points[i].y, 0.0f) << i;
    SegmentMesh rising = build('g', 1, -2);
    expectEnd(rising, 10, -2, 20);
    EXPECT_LT(rising.points[5].y, rising.points[1].y);
    // Easing in and out: 'a' steepens (0.1H at w 3), 'e' eases (0.6H at w 4).
    EXPECT_NEAR(build('a', 1, 10).points[8].y, 1.0f, 1e-5);
    EXPECT_NEAR(build('e', 1, 10).points[8].y, 6.0f, 1e-5);
    // The level kinds keep the start height; only their fences follow the slope.
    SegmentMesh curve = build('r', 1, 4);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(curve.points[i].y, 0.0f) << i;
    EXPECT_NEAR(curve.points[15 + 4].y, 0.97f * 4, 1e-5);
}

TEST(SegmentMeshTest, CountsAndVariantsPerKind) {
    for (const KindCounts& k : Kinds) {
        for (int variant = 1; variant <= 8; ++variant) {
            SegmentMesh m = build(k.kind, variant, 2);
            bool exists = variant <= k.lastVariant || k.kind == 'z';
            EXPECT_EQ(m.pointCount, exists ? k.points : 0) << k.kind << variant;
            EXPECT_EQ(m.polygonCount, exists ? k.triangles : 0) << k.kind << variant;
            EXPECT_TRUE(isCatalogueKind(k.kind));
        }
    }
}

TEST(SegmentMeshTest, EveryTileStaysOnItsSquareAndItsTrianglesOnItsPoints) {
    const float sx = 30, sz = -20;
    for (const KindCounts& k : Kinds) {
        for (int variant = 1; variant <= k.lastVariant; ++variant) {
            SegmentMesh m = build(k.kind, variant, 2, sx, 5, sz);
            int heading = (k.kind == 'z') ? 1 : variant % 4;
            float minX = (heading == 2 || heading == 3) ? sx - 10 : sx;
            float minZ = (heading == 3 || heading == 0) ? sz - 10 : sz;
            for (int i = 0; i < m.pointCount; ++i) {
                EXPECT_GE(m.points[i].x, minX - 1e-4) << k.kind << variant << " point " << i;
                EXPECT_LE(m.points[i].x, minX + 10 + 1e-4) << k.kind << variant << " point " << i;
                EXPECT_GE(m.points[i].z, minZ - 1e-4) << k.kind << variant << " point " << i;
                EXPECT_LE(m.points[i].z, minZ + 10 + 1e-4) << k.kind << variant << " point " << i;
                EXPECT_EQ(m.points[i].w, 1.0f);
            }
            for (int t = 0; t < m.polygonCount; ++t) {
                const MeshPolygon& p = m.polygons[t];
                for (int v : {p.vertexA, p.vertexB, p.vertexC}) {
                    EXPECT_GE(v, 0);
                    EXPECT_LT(v, m.pointCount) << k.kind << variant << " triangle " << t;
                }
                EXPECT_TRUE(p.vertexA != p.vertexB && p.vertexB != p.vertexC &&
                            p.vertexA != p.vertexC)
                    << k.kind << variant << " triangle " << t;
            }
        }
    }
}

TEST(SegmentMeshTest, VariantsTwoToFourAreTheFirstTurnedAboutTheStart) {
    for (const KindCounts& k : Kinds) {
        if (k.kind == 'z') continue;
        for (int base = 1; base <= k.lastVariant; base += 4) {
            // From the origin every placement is exact, so the turn must be too.
            SegmentMesh first = build(k.kind, base, 3, 0, 0, 0);
            for (int turn = 1; turn <= 3; ++turn) {
                SegmentMesh turned = build(k.kind, base + turn, 3, 0, 0, 0);
                ASSERT_EQ(turned.pointCount, first.pointCount);
                ASSERT_EQ(turned.polygonCount, first.polygonCount);
                for (int i = 0; i < first.pointCount; ++i) {
                    float dx = first.points[i].x, dz = first.points[i].z;
                    for (int n = 0; n < turn; ++n) turnLeft(dx, dz);
                    EXPECT_EQ(turned.points[i].x, dx) << k.kind << base + turn << " point " << i;
                    EXPECT_EQ(turned.points[i].z, dz) << k.kind << base + turn << " point " << i;
                    EXPECT_EQ(turned.points[i].y, first.points[i].y);
                }
                float ex = first.endX, ez = first.endZ;
                for (int n = 0; n < turn; ++n) turnLeft(ex, ez);
                EXPECT_EQ(turned.endX, ex) << k.kind << base + turn;
                EXPECT_EQ(turned.endZ, ez) << k.kind << base + turn;
                for (int t = 0; t < first.polygonCount; ++t) {
                    expectTriangle(turned.polygons[t], first.polygons[t].vertexA,
                                   first.polygons[t].vertexB, first.polygons[t].vertexC);
                    EXPECT_EQ(turned.polygons[t].red, first.polygons[t].red);
                }
            }
        }
    }
}

TEST(SegmentMeshTest, SharpCornerSecondShapeIsTheMirrorImage) {
    SegmentMesh right = build('i', 1, 2, 0, 0, 0), left = build('i', 5, 2, 0, 0, 0);
    for (int i = 0; i < right.pointCount; ++i) {
        EXPECT_NEAR(left.points[i].x, 10 - right.points[i].x, 1e-6) << i;
        EXPECT_EQ(left.points[i].y, right.points[i].y) << i;
        EXPECT_EQ(left.points[i].z, right.points[i].z) << i;
    }
    for (int t = 0; t < right.polygonCount; ++t)
        expectTriangle(left.polygons[t], right.polygons[t].vertexA, right.polygons[t].vertexB,
                       right.polygons[t].vertexC);
    // The table of the second shape as written.
    const float written[9][3] = {{10, 0, 0}, {4.5f, 0, 0}, {2, 0, 0},   {0, 0, 0},    {10, 0, 10},
                                 {0, 0, 10}, {2.5f, 0, 2.5f}, {0, 0, 2}, {0, 0, 4.5f}};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(left.points[i].x, written[i][0]) << i;
        EXPECT_EQ(left.points[i].z, written[i][2]) << i;
    }
    // Mirrored values round like written ones: 10 - 6.8 gives the float of 3.2.
    EXPECT_EQ(left.points[9 + 9].x, 3.2f);
}

TEST(SegmentMeshTest, LeftCurveFenceMirrorsTheRightCurveFence) {
    SegmentMesh right = build('r', 1, 2, 0, 0, 0), left = build('l', 1, 2, 0, 0, 0);
    for (int i = 15; i < 39; ++i) {
        EXPECT_NEAR(left.points[i].x, 10 - right.points[i].x, 1e-6) << i;
        EXPECT_EQ(left.points[i].y, right.points[i].y) << i;
        EXPECT_EQ(left.points[i].z, right.points[i].z) << i;
    }
    for (int t = 20; t < 32; ++t)
        expectTriangle(left.polygons[t], right.polygons[t].vertexA, right.polygons[t].vertexB,
                       right.polygons[t].vertexC);
    // The single post of the left curve stands at its inner corner, u = 0.
    expectPoint(left.points[15 + 21], 0, 0.04f, 0.2f);
}

TEST(SegmentMeshTest, BendSecondShapeMirrorsGroundButKeepsTheFence) {
    SegmentMesh first = build('s', 1, 2, 0, 0, 0), second = build('s', 5, 2, 0, 0, 0);
    for (int i = 0; i < 12; ++i) EXPECT_NEAR(second.points[i].x, 10 - first.points[i].x, 1e-6) << i;
    for (int i = 12; i < 36; ++i) EXPECT_EQ(second.points[i].x, first.points[i].x) << i;
    expectPoint(second.points[8], 4, 0.6f, 3);
    expectPoint(second.points[10], 8, 1.4f, 7);
}

TEST(SegmentMeshTest, TableSpotChecks) {
    SegmentMesh a5 = build('a', 5, 10, 0, 0, 0);
    expectPoint(a5.points[2], 4.5f, 0, 0);
    expectPoint(a5.points[10], 4, 4, 7);
    SegmentMesh e5 = build('e', 5, 10, 0, 0, 0);
    expectPoint(e5.points[6], 4.5f, 10, 10);
    expectPoint(e5.points[11], 5.5f, 9, 7);
    expectTriangle(e5.polygons[11], 3, 9, 11);
    SegmentMesh s1 = build('s', 1, 0, 0, 0, 0);
    expectTriangle(s1.polygons[6], 8, 9, 11);
    SegmentMesh l = build('l', 1, 0, 0, 0, 0);
    expectPoint(l.points[13], 1.5f, 0, 3.8f);
    expectTriangle(l.polygons[0], 1, 4, 5);
    SegmentMesh r = build('r', 1, 0, 0, 0, 0);
    expectPoint(r.points[11], 6.2f, 0, 1.5f);
    expectTriangle(r.polygons[16], 1, 10, 11);
    SegmentMesh j = build('j', 1, 0, 0, 0, 0);
    expectPoint(j.points[10], 4, 0.5f, 4);
    expectPoint(j.points[25], 0.2f, 1.45f, 7.8f);
    expectPoint(j.points[43], 9.8f, 1.25f, 10);
    expectTriangle(j.polygons[13], 9, 12, 15);
    expectTriangle(j.polygons[31], 41, 42, 43);
}

TEST(SegmentMeshTest, ColoursByLabel) {
    SegmentMesh g = build('g', 1, 1), j = build('j', 1, 1), z = build('z', 1, 1);
    expectColour(g.polygons[0], 4, 156, 0);        // grass
    expectColour(g.polygons[2], 218, 218, 218);    // path
    expectColour(g.polygons[6], 181, 112, 69);     // post wood
    expectColour(g.polygons[10], 223, 0, 0);       // tape
    expectColour(j.polygons[12], 85, 85, 255);     // water
    expectColour(j.polygons[19], 140, 73, 22);     // ramp wood
    expectColour(z.polygons[18], 128, 80, 47);     // gate post
    expectColour(z.polygons[22], 0, 160, 149);     // banner
    SegmentMesh i = build('i', 1, 1);
    expectColour(i.polygons[8 + 6], 223, 0, 0);    // corner fence tape
    expectColour(i.polygons[8 + 10], 181, 112, 69);// inner corner post
}

TEST(SegmentMeshTest, ConsecutiveTilesShareTheirPathEdges) {
    // An 'e' leaves off centre, the 'i' of the same shape takes it round the corner and
    // an 'a' in the new heading (+x is variant 4) brings it back to the centre.
    SegmentMesh e = buildSegmentMesh("e1 2 0\n", 10, 0, 10);
    SegmentMesh i = buildSegmentMesh("i1 0 0\n", e.endX, e.endY, e.endZ);
    SegmentMesh a = buildSegmentMesh("a4 2 0\n", i.endX, i.endY, i.endZ);
    expectPoint(i.points[1], e.points[5].x, e.points[5].y, e.points[5].z);
    expectPoint(i.points[2], e.points[6].x, e.points[6].y, e.points[6].z);
    expectPoint(a.points[1], i.points[8].x, i.points[8].y, i.points[8].z);
    expectPoint(a.points[2], i.points[7].x, i.points[7].y, i.points[7].z);
    SegmentMesh g = buildSegmentMesh("g4 0 0\n", a.endX, a.endY, a.endZ);
    expectPoint(g.points[1], a.points[5].x, a.points[5].y, a.points[5].z);

    // Curves: the path leaves through the side edge into the next heading.
    SegmentMesh right = buildSegmentMesh("r1 0 0\n", 0, 0, 0);
    SegmentMesh afterRight = buildSegmentMesh("g4 0 0\n", right.endX, right.endY, right.endZ);
    expectPoint(afterRight.points[1], right.points[9].x, 0, right.points[9].z);
    expectPoint(afterRight.points[2], right.points[14].x, 0, right.points[14].z);
    SegmentMesh left = buildSegmentMesh("l1 0 0\n", 0, 0, 0);
    SegmentMesh afterLeft = buildSegmentMesh("g2 0 0\n", left.endX, left.endY, left.endZ);
    expectPoint(afterLeft.points[1], left.points[14].x, 0, left.points[14].z);
    expectPoint(afterLeft.points[2], left.points[9].x, 0, left.points[9].z);
}

TEST(SegmentMeshTest, AnythingOutsideTheCatalogueIsAnEmptyTileEndingAtItsStart) {
    const char* lines[] = {"x1 2 0\n", "g5 2 0\n", "g0 2 0\n", "g9 2 0\n", "g-1 2 0\n",
                           "l5 0 0\n", "j8 0 0\n", "\n",       "",         "    \n",
                           "#1 2 0\n", "G1 2 0\n"};
    for (const char* line : lines) {
        SegmentMesh m = buildSegmentMesh(line, 3, 4, 5);
        EXPECT_EQ(m.pointCount, 0) << line;
        EXPECT_EQ(m.polygonCount, 0) << line;
        EXPECT_EQ(m.endX, 3.0f) << line;
        EXPECT_EQ(m.endY, 4.0f) << line;
        EXPECT_EQ(m.endZ, 5.0f) << line;
        EXPECT_EQ(m.refCount, 0);
    }
    SegmentMesh unknown = buildSegmentMesh("x7 3 0\n", 0, 0, 0);
    EXPECT_EQ(unknown.kind, 'x');
    EXPECT_EQ(unknown.variant, 7);
    EXPECT_EQ(unknown.slope, 3);
    EXPECT_EQ(buildSegmentMesh("g-1 2 0\n", 0, 0, 0).variant, -1);
    EXPECT_FALSE(isCatalogueKind('x'));
}

TEST(SegmentMeshTest, CopiesAreDeep) {
    SegmentMesh original = build('g', 1, 2);
    original.refCount = 3;
    SegmentMesh copy = original;
    original.points[7].x = 99;
    EXPECT_EQ(copy.points[7].x, 20.0f);
    EXPECT_EQ(copy.refCount, 3);
    EXPECT_EQ(copy.polygonCount, 18);
}
