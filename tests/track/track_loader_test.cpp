// Loading "track.tbk": skip rules, the cursor that chains the tiles, the gate-line count,
// file order in the track lists, and malformed files.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "base/game_state.h"
#include "support/test_support.h"
#include "track/track_line.h"
#include "track/track_lists.h"
#include "track/track_loader.h"

namespace {

class TrackLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        clearTrackLists();
        resetGameState();
        dir = makeTempDir("track");
        ASSERT_FALSE(dir.empty());
        inDir = std::make_unique<ScopedDir>(dir);
    }
    void TearDown() override {
        inDir.reset();
        clearTrackLists();
        resetGameState();
    }

    void load(const std::string& text) {
        writeTextFile(dir + "/track.tbk", text);
        loadTrack();
    }

    // Empties TrackMeshes from the front, in list order.
    std::vector<SegmentMesh> takeMeshes() {
        std::vector<SegmentMesh> meshes;
        while (TrackMeshes.count() > 0) meshes.push_back(*TrackMeshes.popFront());
        return meshes;
    }
    std::vector<SegmentObjects> takeObjects() {
        std::vector<SegmentObjects> objects;
        while (TrackObjects.count() > 0) objects.push_back(*TrackObjects.popFront());
        return objects;
    }
    std::string kinds() {
        std::string letters;
        TrackMeshes.forEach([&](const SegmentMesh& m) { letters += m.kind; });
        return letters;
    }

    std::string dir;
    std::unique_ptr<ScopedDir> inDir;
};

void expectStart(const SegmentMesh& m, float x, float y, float z) {
    EXPECT_NEAR(m.points[0].x, x, 1e-5) << m.kind << m.variant;
    EXPECT_NEAR(m.points[0].y, y, 1e-5) << m.kind << m.variant;
    EXPECT_NEAR(m.points[0].z, z, 1e-5) << m.kind << m.variant;
}

const MeshPolygon& gateBanner(const SegmentObjects& objects, int slot) {
    return objects.slots[slot].polygons[4];
}

}  // namespace

TEST_F(TrackLoaderTest, EmptyAndCommentOnlyFilesGiveAnEmptyCourse) {
    for (const char* text : {"", "# a course\n#g1 2 0\n"}) {
        GameState.segmentCount = 9;
        load(text);
        EXPECT_EQ(TrackMeshes.count(), 0);
        EXPECT_EQ(TrackObjects.count(), 0);
        EXPECT_EQ(PendingMeshes.count(), 0);
        EXPECT_EQ(GameState.segmentCount, 0);
    }
}

TEST_F(TrackLoaderTest, OnlyTheFirstOfARunOfCurveLinesIsBuilt) {
    struct Case {
        const char* text;
        const char* built;
    } cases[] = {
        {"g1 0 0\nl1 0 0\nl2 0 0\ng2 0 0\n", "glg"},
        {"l1 0 0\na2 0 0\nl2 0 0\n", "la"},
        {"l1 0 0\ng2 0 0\nl2 0 0\n", "lgl"},
        {"l1 0 0\nr2 0 0\nl1 0 0\n", "lrl"},
        {"r1 0 0\nr4 0 0\nr3 0 0\n", "r"},
        {"l1 0 0\n# note\nl2 0 0\n", "l"},
        {"r1 0 0\nj4 0 0\ne4 0 0\nr4 0 0\ng4 0 0\nr4 0 0\n", "rjegr"},
    };
    for (const Case& c : cases) {
        load(c.text);
        EXPECT_EQ(kinds(), c.built) << c.text;
        EXPECT_EQ(GameState.segmentCount, static_cast<int>(std::string(c.built).size()));
        EXPECT_EQ(TrackObjects.count(), TrackMeshes.count());
        clearTrackLists();
    }
}

TEST_F(TrackLoaderTest, SkippedLinesDoNotMoveTheCursor) {
    load("g1 2 0\nr1 0 0\nr4 0 0\ng4 0 0\n");
    std::vector<SegmentMesh> meshes = takeMeshes();
    ASSERT_EQ(meshes.size(), 3u);
    expectStart(meshes[2], 20, 2, 30);
}

TEST_F(TrackLoaderTest, TheCursorChainsEveryKind) {
    load("g1 2 0\nr1 0 0\ng4 1 0\nl4 0 0\ng1 1 0\nj1 0 0\nx1 0 0\nz3 2 0\ni5 0 0\ne2 1 0\ns2 0 0\n");
    std::vector<SegmentMesh> meshes = takeMeshes();
    ASSERT_EQ(meshes.size(), 11u);
    EXPECT_EQ(GameState.segmentCount, 11);
    expectStart(meshes[0], 10, 0, 10);
    expectStart(meshes[1], 10, 2, 20);
    expectStart(meshes[2], 20, 2, 30);
    expectStart(meshes[3], 30, 3, 30);
    expectStart(meshes[4], 30, 3, 30);
    expectStart(meshes[5], 30, 4, 40);
    EXPECT_EQ(meshes[6].pointCount, 0);  // the unknown kind stays where it is
    EXPECT_EQ(meshes[6].endY, 6.0f);
    expectStart(meshes[7], 30, 6, 50);
    EXPECT_NEAR(meshes[8].points[3].z, 60, 1e-5);  // the start corner of a second shape
    EXPECT_NEAR(meshes[8].points[3].y, 8, 1e-5);
    expectStart(meshes[9], 30, 8, 60);
    expectStart(meshes[10], 20, 9, 60);
}

TEST_F(TrackLoaderTest, ListsHoldTheCourseInFileOrderWithOneReferenceEach) {
    load("g1 1 0\ng1 2 1 0t\ng1 3 0\ng1 0 1 4w\n");
    EXPECT_EQ(TrackMeshes.count(), 4);
    EXPECT_EQ(TrackObjects.count(), 4);
    EXPECT_EQ(PendingMeshes.count(), 0);
    EXPECT_EQ(PendingObjects.count(), 0);
    EXPECT_EQ(TrackMeshes.front()->refCount, 1);
    EXPECT_EQ(TrackObjects.front()->refCount, 1);

    CountedHandle<SegmentMesh> first = TrackMeshes.popFront();
    EXPECT_EQ(first->refCount, 1);  // the list's reference went with the pop
    {
        CountedHandle<SegmentMesh> copy = first;
        EXPECT_EQ(first->refCount, 2);
    }
    EXPECT_EQ(first->slope, 1);
    EXPECT_EQ(TrackMeshes.popFront()->slope, 2);
    EXPECT_EQ(TrackMeshes.popFront()->slope, 3);
    EXPECT_EQ(TrackMeshes.popFront()->slope, 0);

    std::vector<SegmentObjects> objects = takeObjects();
    ASSERT_EQ(objects.size(), 4u);
    EXPECT_EQ(objects[1].slots[0].kind, 't');
    EXPECT_EQ(objects[3].slots[4].kind, 'w');
    EXPECT_EQ(objects[0].objectCount, 0);
}

TEST_F(TrackLoaderTest, GateLinesAreCountedForTheBannerColours) {
    load("g1 0 1 0t\ng1 0 2 0t 3b\ng1 0 1 1t\ng1 0 0\ng1 0 2 0b 1t\ng1 0 0 0t\ng1 0 1 2t\n");
    std::vector<SegmentObjects> objects = takeObjects();
    ASSERT_EQ(objects.size(), 7u);
    EXPECT_EQ(gateBanner(objects[0], 0).red, 255);   // count 1
    EXPECT_EQ(gateBanner(objects[1], 0).blue, 255);  // count 2
    EXPECT_EQ(gateBanner(objects[2], 1).red, 255);   // count 3
    // Object 0 is a tree: the line is built with the count still at 3.
    EXPECT_EQ(gateBanner(objects[4], 1).red, 255);
    // An object count of 0 does not count, nor build its gate.
    EXPECT_EQ(objects[5].slots[0].kind, 'n');
    EXPECT_EQ(gateBanner(objects[6], 2).blue, 255);  // count 4
}

TEST_F(TrackLoaderTest, MalformedLinesAreSegmentsThatStayPut) {
    load("g1 2 0\n\n    \n?9 9 9\ng1 2 0\n");
    std::vector<SegmentMesh> meshes = takeMeshes();
    ASSERT_EQ(meshes.size(), 5u);
    EXPECT_EQ(GameState.segmentCount, 5);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(meshes[i].pointCount, 0);
        EXPECT_EQ(meshes[i].polygonCount, 0);
        EXPECT_EQ(meshes[i].endZ, 20.0f);
    }
    expectStart(meshes[4], 10, 2, 20);
}

TEST_F(TrackLoaderTest, LongLinesAreReadWhole) {
    std::string longObjects = "g1 0 9 0t 1t 2t 3t 4t 5t 0b 1b 2w\n";
    std::string padded = "g1 2 0" + std::string(200, ' ') + "\n";
    load(longObjects + padded + "g1 1 0\n");
    EXPECT_EQ(GameState.segmentCount, 3);
    std::vector<SegmentObjects> objects = takeObjects();
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0].slots[2].kind, 'w');
    EXPECT_EQ(objects[0].slots[5].kind, 't');
    std::vector<SegmentMesh> meshes = takeMeshes();
    expectStart(meshes[2], 10, 2, 30);
}

TEST_F(TrackLoaderTest, CarriageReturnsAndAMissingLastLineFeed) {
    load("g1 2 0\r\nl1 0 0\r\ng2 1 0");
    std::vector<SegmentMesh> meshes = takeMeshes();
    ASSERT_EQ(meshes.size(), 3u);
    expectStart(meshes[1], 10, 2, 20);
    expectStart(meshes[2], 10, 2, 20);
    EXPECT_EQ(meshes[2].endX, 0.0f);
    EXPECT_EQ(meshes[2].endY, 3.0f);
}

TEST_F(TrackLoaderTest, AStrayNulByteEndsTheLineForTheBuilders) {
    std::string text = "g1 2 0";
    text.push_back('\0');
    text += "junk\ng1 2 0\n";
    load(text);
    std::vector<SegmentMesh> meshes = takeMeshes();
    ASSERT_EQ(meshes.size(), 2u);
    expectStart(meshes[1], 10, 2, 20);
}

TEST_F(TrackLoaderTest, ASecondLoadGoesInFrontOfWhatIsStillListed) {
    load("g1 1 0\ng1 2 0\n");
    load("g1 3 0\n");
    EXPECT_EQ(GameState.segmentCount, 1);
    std::vector<SegmentMesh> meshes = takeMeshes();
    ASSERT_EQ(meshes.size(), 3u);
    EXPECT_EQ(meshes[0].slope, 3);
    EXPECT_EQ(meshes[1].slope, 1);
    EXPECT_EQ(meshes[2].slope, 2);
}

TEST_F(TrackLoaderTest, MissingTrackFileIsFatal) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(loadTrack(), ::testing::ExitedWithCode(1), "Track file was not found: track.tbk");
}

TEST(TrackNumberTest, DecimalConversionFromAColumn) {
    EXPECT_EQ(readTrackNumber("g12 3 0", 1), 12);
    EXPECT_EQ(readTrackNumber("g1 -3 0", 3), -3);
    EXPECT_EQ(readTrackNumber("g1 +4 0", 3), 4);
    EXPECT_EQ(readTrackNumber("g1 \t\n 7", 2), 7);
    EXPECT_EQ(readTrackNumber("gx 2", 1), 0);
    EXPECT_EQ(readTrackNumber("g1 -", 3), 0);
    EXPECT_EQ(readTrackNumber("g1", 3), 0);
    EXPECT_EQ(readTrackNumber("g1", 2), 0);
    EXPECT_EQ(readTrackNumber("", 0), 0);
    EXPECT_EQ(readTrackNumber("g1", -1), 0);
    EXPECT_EQ(readTrackNumber("g99999999999", 1), INT_MAX);
    EXPECT_EQ(readTrackNumber("g-99999999999", 1), INT_MIN);
    EXPECT_EQ(readTrackNumber("g-2147483648", 1), INT_MIN);
    EXPECT_EQ(trackLineChar("g1 0 1 0t\n", 8), 't');
    EXPECT_EQ(trackLineChar("g1 0", 8), '\0');
    EXPECT_EQ(trackLineChar("g1 0", 4), '\0');
}
