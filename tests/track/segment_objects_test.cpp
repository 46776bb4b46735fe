// Roadside objects: reading the slots of a line, the shapes of gate, tree and sign
// board, their placement through the variant and the gate colour by gate-line parity.
#include <gtest/gtest.h>

#include <cstdio>

#include "track/segment_objects.h"

namespace {

void expectPoint(const Point3& p, float x, float y, float z) {
    EXPECT_NEAR(p.x, x, 1e-5);
    EXPECT_NEAR(p.y, y, 1e-5);
    EXPECT_NEAR(p.z, z, 1e-5);
}

void expectEmpty(const ObjectSlot& slot) {
    EXPECT_EQ(slot.kind, 'n');
    EXPECT_EQ(slot.pointCount, 0);
    EXPECT_EQ(slot.polygonCount, 0);
}

// Which slots hold which letter, as a six-character string ("tnnbnn").
std::string slotLetters(const SegmentObjects& objects) {
    std::string letters;
    for (const ObjectSlot& slot : objects.slots) letters += slot.kind;
    return letters;
}

}  // namespace

TEST(SegmentObjectsTest, ReadingTheSlots) {
    SegmentObjects none = buildSegmentObjects("g1 0 0\n", 10, 0, 10, 0);
    EXPECT_EQ(none.objectCount, 0);
    EXPECT_EQ(none.refCount, 0);
    for (const ObjectSlot& slot : none.slots) expectEmpty(slot);

    SegmentObjects two = buildSegmentObjects("g1 0 2 0t 3b\n", 10, 0, 10, 1);
    EXPECT_EQ(slotLetters(two), "tnnbnn");
    EXPECT_EQ(two.objectCount, 2);
    expectEmpty(two.slots[1]);

    SegmentObjects unknown = buildSegmentObjects("g1 0 1 2x\n", 10, 0, 10, 0);
    EXPECT_EQ(unknown.objectCount, 1);
    EXPECT_EQ(slotLetters(unknown), "nnnnnn");
    for (const ObjectSlot& slot : unknown.slots) expectEmpty(slot);

    // A later object naming the same slot replaces the earlier one, whatever its letter.
    EXPECT_EQ(slotLetters(buildSegmentObjects("g1 0 2 1t 1w\n", 10, 0, 10, 1)), "nwnnnn");
    EXPECT_EQ(slotLetters(buildSegmentObjects("g1 0 2 1t 1x\n", 10, 0, 10, 1)), "nnnnnn");
}

TEST(SegmentObjectsTest, CountsByLetter) {
    SegmentObjects o = buildSegmentObjects("g1 0 3 0t 2b 4w\n", 10, 0, 10, 1);
    EXPECT_EQ(o.slots[0].pointCount, 10);
    EXPECT_EQ(o.slots[0].polygonCount, 6);
    EXPECT_EQ(o.slots[2].pointCount, 39);
    EXPECT_EQ(o.slots[2].polygonCount, 38);
    EXPECT_EQ(o.slots[4].pointCount, 10);
    EXPECT_EQ(o.slots[4].polygonCount, 6);
    for (const ObjectSlot& slot : o.slots)
        for (int t = 0; t < slot.polygonCount; ++t) {
            EXPECT_LT(slot.polygons[t].vertexA, slot.pointCount);
            EXPECT_LT(slot.polygons[t].vertexB, slot.pointCount);
            EXPECT_LT(slot.polygons[t].vertexC, slot.pointCount);
        }
}

TEST(SegmentObjectsTest, GatePlacement) {
    SegmentObjects first = buildSegmentObjects("g1 2 1 0t\n", 10, 0, 10, 1);
    expectPoint(first.slots[0].points[0], 12, 0.1f, 10.5f);
    expectPoint(first.slots[0].points[9], 13, -1.9f, 10.5f);
    SegmentObjects third = buildSegmentObjects("g3 2 1 0t\n", 10, 0, 10, 1);
    expectPoint(third.slots[0].points[0], 8, 0.1f, 9.5f);
    // Slots 1 to 5 put the left post at u = 7.
    SegmentObjects later = buildSegmentObjects("g1 0 1 5t\n", 10, 0, 10, 1);
    expectPoint(later.slots[5].points[0], 17, 0, 10.5f);
    expectPoint(later.slots[5].points[3], 18, 0, 10.5f);
}

TEST(SegmentObjectsTest, GateBannerAlternatesByGateLines) {
    SegmentObjects odd = buildSegmentObjects("g1 0 1 0t\n", 10, 0, 10, 1);
    SegmentObjects even = buildSegmentObjects("g1 0 1 0t\n", 10, 0, 10, 2);
    const MeshPolygon& redBanner = odd.slots[0].polygons[4];
    EXPECT_EQ(redBanner.red, 255);
    EXPECT_EQ(redBanner.blue, 0);
    const MeshPolygon& blueBanner = even.slots[0].polygons[5];
    EXPECT_EQ(blueBanner.red, 0);
    EXPECT_EQ(blueBanner.blue, 255);
    EXPECT_EQ(blueBanner.vertexA, 8);
    EXPECT_EQ(blueBanner.vertexB, 9);
    EXPECT_EQ(blueBanner.vertexC, 7);
    // The posts keep their wood colour.
    EXPECT_EQ(even.slots[0].polygons[0].red, 191);
    EXPECT_EQ(even.slots[0].polygons[0].green, 122);
    EXPECT_EQ(even.slots[0].polygons[0].blue, 74);
}

TEST(SegmentObjectsTest, TreePlacement) {
    for (int slope : {0, 3}) {
        char line[32];
        std::snprintf(line, sizeof line, "g1 %d 1 2b\n", slope);
        SegmentObjects tree = buildSegmentObjects(line, 10, 0, 10, 0);
        expectPoint(tree.slots[2].points[38], 13, -3, 17);
        expectPoint(tree.slots[2].points[8], 11.8f, -0.2f, 17);
    }
    SegmentObjects other = buildSegmentObjects("g1 0 1 0b\n", 10, 0, 10, 0);
    expectPoint(other.slots[0].points[38], 17, -3, 17);
    EXPECT_EQ(other.slots[0].polygons[37].vertexA, 37);
    EXPECT_EQ(other.slots[0].polygons[37].vertexB, 32);
    EXPECT_EQ(other.slots[0].polygons[37].green, 156);
    EXPECT_EQ(other.slots[0].polygons[31].vertexA, 20);
    EXPECT_EQ(other.slots[0].polygons[31].vertexC, 26);
}

TEST(SegmentObjectsTest, SignBoardPlacement) {
    SegmentObjects slot4 = buildSegmentObjects("g2 1 1 4w\n", 10, 0, 10, 0);
    expectPoint(slot4.slots[4].points[0], 3, 0.8f, 11);
    SegmentObjects other = buildSegmentObjects("g1 1 1 1w\n", 10, 0, 10, 0);
    expectPoint(other.slots[1].points[0], 17, 0.8f, 18.5f);
    expectPoint(other.slots[1].points[9], 19, -0.1f, 17);
    EXPECT_EQ(other.slots[1].polygons[4].red, 255);
    EXPECT_EQ(other.slots[1].polygons[4].green, 255);
}

TEST(SegmentObjectsTest, VariantsTwoToFourTurnEveryObjectWithTheTile) {
    // A tree stands the same in every turned variant, the tree included.
    SegmentObjects first = buildSegmentObjects("g1 2 3 0t 2b 4w\n", 0, 0, 0, 1);
    for (int variant = 2; variant <= 4; ++variant) {
        char line[32];
        std::snprintf(line, sizeof line, "g%d 2 3 0t 2b 4w\n", variant);
        SegmentObjects turned = buildSegmentObjects(line, 0, 0, 0, 1);
        EXPECT_EQ(slotLetters(turned), "tnbnwn");
        for (int s : {0, 2, 4}) {
            ASSERT_EQ(turned.slots[s].pointCount, first.slots[s].pointCount);
            for (int i = 0; i < first.slots[s].pointCount; ++i) {
                float dx = first.slots[s].points[i].x, dz = first.slots[s].points[i].z;
                for (int n = 1; n < variant; ++n) {
                    float t = dx;
                    dx = -dz;
                    dz = t;
                }
                EXPECT_EQ(turned.slots[s].points[i].x, dx) << variant << " slot " << s << " " << i;
                EXPECT_EQ(turned.slots[s].points[i].z, dz) << variant << " slot " << s << " " << i;
                EXPECT_EQ(turned.slots[s].points[i].y, first.slots[s].points[i].y);
            }
        }
    }
    // The tree on variant 2, slot 2: centre (u, f) = (3, 7) turned to (-7, 3).
    SegmentObjects tree = buildSegmentObjects("g2 0 1 2b\n", 10, 0, 10, 0);
    expectPoint(tree.slots[2].points[38], 3, -3, 13);
}

TEST(SegmentObjectsTest, VariantsWithoutAFrameLeaveTheObjectsOut) {
    for (const char* line : {"a5 0 2 0t 2b\n", "s8 0 1 4w\n", "g0 0 1 0t\n", "x9 0 1 0b\n"}) {
        SegmentObjects o = buildSegmentObjects(line, 10, 0, 10, 1);
        for (const ObjectSlot& slot : o.slots) expectEmpty(slot);
    }
}

TEST(SegmentObjectsTest, MalformedObjectListsStayWithinTheLineAndTheSlots) {
    // Slots outside 0 to 5 are ignored; the rest of the line is still read.
    SegmentObjects outside = buildSegmentObjects("g1 0 3 7t 9b 1w\n", 10, 0, 10, 1);
    EXPECT_EQ(slotLetters(outside), "nwnnnn");
    EXPECT_EQ(slotLetters(buildSegmentObjects("g1 0 2 -1t 0b\n", 10, 0, 10, 1)), "nnnnnn");

    // Announced objects the line does not hold are absent.
    SegmentObjects missing = buildSegmentObjects("g1 0 8 3t\n", 10, 0, 10, 1);
    EXPECT_EQ(missing.objectCount, 8);
    EXPECT_EQ(slotLetters(missing), "nnntnn");
    EXPECT_EQ(slotLetters(buildSegmentObjects("g1 0 9", 10, 0, 10, 1)), "nnnnnn");
    EXPECT_EQ(slotLetters(buildSegmentObjects("g1 0 2 4", 10, 0, 10, 1)), "nnnnnn");
    EXPECT_EQ(slotLetters(buildSegmentObjects("g1 0 2147483647 0t", 10, 0, 10, 1)), "tnnnnn");
    EXPECT_EQ(slotLetters(buildSegmentObjects("", 10, 0, 10, 1)), "nnnnnn");

    // A long line is read whole: the ninth object is placed too.
    SegmentObjects longLine =
        buildSegmentObjects("g1 0 9 0t 1t 2t 3t 4t 5t 0b 1b 2w\n", 10, 0, 10, 1);
    EXPECT_EQ(slotLetters(longLine), "bbwttt");
}
