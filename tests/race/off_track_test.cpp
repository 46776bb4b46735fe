// The off-track test: the walls of straights and turns, the open sides of turns and
// the tiles that have no walls at all.
#include "race/off_track.h"
#include "track/tile_frame.h"
#include "ride_fixture.h"

using namespace ride_test;

namespace {

struct Spot {
    float x, z;
    TrackTestResult expected;
};

void expectSpots(const SegmentMesh& mesh, std::initializer_list<Spot> spots) {
    for (const Spot& s : spots)
        EXPECT_EQ(testTrackPosition(mesh, s.x, s.z), s.expected)
            << mesh.kind << mesh.variant << " at (" << s.x << ", " << s.z << ")";
}

TEST(OffTrack, StraightAlongZHasItsSideWallsInclusive) {
    for (char kind : {'a', 'e', 'g', 'j', 's'}) {
        const SegmentMesh mesh = makeTile(kind, 1, 2, 10, 0, 10);
        expectSpots(mesh, {{10.3f, 15, OnTheTrack},
                           {19.7f, 15, OnTheTrack},
                           {10.29f, 15, OffTheTrack},
                           {19.71f, 15, OffTheTrack},
                           {15, -50, OnTheTrack},  // z is not tested
                           {15, 80, OnTheTrack}});
    }
}

TEST(OffTrack, StraightsOfEveryHeading) {
    expectSpots(makeTile('g', 2, 0, 20, 0, 10),  // -x: z from 10.3 to 19.7
                {{15, 10.3f, OnTheTrack}, {15, 19.7f, OnTheTrack},
                 {15, 10.29f, OffTheTrack}, {15, 19.71f, OffTheTrack}, {-40, 15, OnTheTrack}});
    expectSpots(makeTile('g', 3, 0, 20, 0, 20),  // -z: x from 10.3 to 19.7
                {{10.3f, 15, OnTheTrack}, {19.7f, 15, OnTheTrack},
                 {10.29f, 15, OffTheTrack}, {19.71f, 15, OffTheTrack}});
    expectSpots(makeTile('g', 4, 0, 10, 0, 20),  // +x: z from 10.3 to 19.7
                {{15, 10.3f, OnTheTrack}, {15, 19.7f, OnTheTrack},
                 {15, 10.29f, OffTheTrack}, {15, 19.71f, OffTheTrack}});
    // Any variant of a straight kind is tested by its heading, and the mirrored S-bend
    // measures from its start corner in point 3.
    expectSpots(makeTile('s', 5, 0, 10, 0, 10), {{10.3f, 15, OnTheTrack}, {10.29f, 15, OffTheTrack}});
    expectSpots(makeTile('g', 9, 0, 10, 0, 10), {{10.29f, 15, OffTheTrack}});
}

TEST(OffTrack, RightTurnTestsOnlyItsClosedWalls) {
    for (char kind : {'r', 'i'}) {
        const SegmentMesh mesh = makeTile(kind, 1, 0, 10, 0, 10);
        expectSpots(mesh, {{15, 19.7f, OnTheTrack},
                           {15, 19.8f, OffTheTrack},
                           {10.2f, 15, OffTheTrack},
                           {10.3f, 15, OnTheTrack},
                           {25, 15, OnTheTrack},    // past the exit side
                           {15, 5, OnTheTrack}});   // before the entry side
    }
}

TEST(OffTrack, LeftTurnTestsOnlyItsClosedWalls) {
    const SegmentMesh left = makeTile('l', 1, 0, 10, 0, 10);
    expectSpots(left, {{19.8f, 15, OffTheTrack},
                       {19.7f, 15, OnTheTrack},
                       {15, 19.71f, OffTheTrack},
                       {5, 15, OnTheTrack}});  // past the exit side
    const SegmentMesh corner = makeTile('i', 5, 0, 10, 0, 10);  // start corner in point 3
    expectSpots(corner, {{19.8f, 15, OffTheTrack}, {19.7f, 15, OnTheTrack}, {5, 15, OnTheTrack}});
}

// Every laid-out variant of each kind against the rule in the tile's own frame
// (u across from the left edge, f forward from the start edge): straight 0.3 <= u <= 9.7,
// right turn u >= 0.3 and f <= 9.7, left turn u <= 9.7 and f <= 9.7.
TEST(OffTrack, EveryVariantAgreesWithTheTileFrameRule) {
    enum Rule { Straight, RightTurn, LeftTurn };
    struct Layout {
        char kind;
        int firstVariant, lastVariant;
        Rule rule;
    };
    const Layout layouts[] = {
        {'g', 1, 4, Straight}, {'a', 1, 8, Straight}, {'e', 1, 8, Straight},
        {'s', 1, 8, Straight}, {'j', 1, 4, Straight}, {'r', 1, 4, RightTurn},
        {'i', 1, 4, RightTurn}, {'l', 1, 4, LeftTurn}, {'i', 5, 8, LeftTurn},
    };
    const float us[] = {-2.0f, 0.1f, 0.5f, 5.0f, 9.5f, 9.9f, 14.0f};
    const float fs[] = {-3.0f, 0.5f, 5.0f, 9.5f, 9.9f, 13.0f};
    for (const Layout& layout : layouts) {
        for (int v = layout.firstVariant; v <= layout.lastVariant; ++v) {
            const float sx = 40, sz = 60;
            const SegmentMesh mesh = makeTile(layout.kind, v, 1, sx, 3, sz);
            for (float u : us) {
                for (float f : fs) {
                    bool on = false;
                    switch (layout.rule) {
                    case Straight: on = u >= 0.3f && u <= 9.7f; break;
                    case RightTurn: on = u >= 0.3f && f <= 9.7f; break;
                    case LeftTurn: on = u <= 9.7f && f <= 9.7f; break;
                    }
                    float dx, dz;
                    tileOffset(v, u, f, &dx, &dz);
                    EXPECT_EQ(testTrackPosition(mesh, sx + dx, sz + dz), on ? OnTheTrack : OffTheTrack)
                        << layout.kind << v << " u " << u << " f " << f;
                }
            }
        }
    }
}

TEST(OffTrack, TilesWithoutWallsAreNotTested) {
    const SegmentMesh untested[] = {
        makeTile('z', 1, 0, 10, 0, 10),  makeTile('z', 3, 0, 10, 0, 10),
        makeTile('r', 5, 0, 10, 0, 10),  makeTile('l', 0, 0, 10, 0, 10),
        makeTile('i', 9, 0, 10, 0, 10),  makeTile('g', -1, 0, 10, 0, 10),
        makeTile('a', -6, 0, 10, 0, 10), makeTile('q', 1, 0, 10, 0, 10),
        SegmentMesh(),
    };
    for (const SegmentMesh& mesh : untested)
        for (float x : {-100.0f, 10.0f, 15.0f, 1e6f})
            EXPECT_EQ(testTrackPosition(mesh, x, x), NotTested) << mesh.kind << mesh.variant;
}

class OffTrackFlag : public RideTest {};

TEST_F(OffTrackFlag, UntestedTileLeavesTheFlagAsItWas) {
    RiderPosition = Point3(-500, 0, 3, 1);
    GameState.offTrack = 1;
    updateOffTrack(makeTile('z', 1, 0, 10, 0, 10));
    EXPECT_EQ(GameState.offTrack, 1);
    updateOffTrack(makeTile('g', 1, 0, 10, 0, 10));
    EXPECT_EQ(GameState.offTrack, 1);
    RiderPosition = Point3(15, 0, 3, 1);
    updateOffTrack(makeTile('g', 1, 0, 10, 0, 10));
    EXPECT_EQ(GameState.offTrack, 0);
}

TEST_F(OffTrackFlag, TheGateTileNeverEndsARun) {
    rideOn(makeTile('z', 1, 0, 10, 0, 10));
    GameState.speed = 3.0f;
    pressKey(Left);
    ride(200);
    EXPECT_EQ(GameState.offTrack, 0);
    EXPECT_EQ(GameState.crashFlag + GameState.injuryFlag + GameState.defectFlag, 0);
    EXPECT_FLOAT_EQ(GameState.speed, 3.0f);
    EXPECT_EQ(Rider.health(), 100);
}

}  // namespace

namespace {

// The ride measures the mirrored sharp corner and S-bend from the catalogue's point 3.
TEST(OffTrack, StartCornerAgreesWithTheCatalogue) {
    struct Case {
        const char* line;
        float x, z;
    };
    const Case cases[] = {
        {"s5 0 0\n", 10, 10}, {"s7 2 0\n", 10, 10}, {"i6 0 0\n", 30, 10},
        {"i8 0 0\n", 10, 30}, {"s1 1 0\n", 10, 10}, {"g3 0 0\n", 40, 50},
    };
    for (const Case& c : cases) {
        const SegmentMesh mesh = buildSegmentMesh(c.line, c.x, 4, c.z);
        const Point3& start = tileStartCorner(mesh);
        EXPECT_EQ(start.x, c.x) << c.line;
        EXPECT_EQ(start.y, 4.0f) << c.line;
        EXPECT_EQ(start.z, c.z) << c.line;
    }
}

}  // namespace
