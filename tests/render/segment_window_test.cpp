// Filling and advancing the window of three segments, the finish check, short courses.
#include <gtest/gtest.h>

#include <array>

#include "base/game_state.h"
#include "race/ride.h"
#include "render/segment_window.h"
#include "track/track_lists.h"

namespace {

// Segment n (from 1) of a straight course heading +z: its first point at z = 10 (n - 1);
// its objectCount carries n so that the objects can be told apart too.
SegmentMesh straightTile(int n) {
    SegmentMesh m;
    m.kind = 'g';
    m.variant = 1;
    m.points[0] = Point3(10, 0, 10.0f * float(n - 1));
    m.pointCount = 1;
    m.endZ = 10.0f * float(n);
    return m;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        clearTrackLists();
        resetSegmentWindow();
        resetGameState();
        GameState.racing = 1;
        GameState.screen = 1;
        RiderPosition = Point3(15, -1, -2.4f);
    }
    void TearDown() override {
        clearTrackLists();
        resetSegmentWindow();
        resetGameState();
    }

    // A course of count straight tiles, first segment at the head of both lists.
    void loadCourse(int count) {
        for (int n = count; n >= 1; --n) {
            TrackMeshes.pushFront(makeHandle(straightTile(n)));
            SegmentObjects objects;
            objects.objectCount = n;
            TrackObjects.pushFront(makeHandle(objects));
        }
    }

    // Which course segment a slot holds (0: empty).
    static int segmentOf(const WindowSlot& slot) {
        if (slot.mesh.pointCount == 0) return 0;
        EXPECT_EQ(slot.objects.objectCount, int(slot.mesh.points[0].z / 10.0f) + 1);
        return int(slot.mesh.points[0].z / 10.0f) + 1;
    }
    static std::array<int, 3> window() {
        return {segmentOf(SegmentWindow.current), segmentOf(SegmentWindow.next),
                segmentOf(SegmentWindow.third)};
    }

    // One race frame's window work: advance, then the race-end check.
    void frame() {
        advanceRaceFrame();
    }
    // Puts the rider just past the entry edge of segment n.
    void enterSegment(int n) { RiderPosition.z = 10.0f * float(n - 1) + 0.1f; }
};

using Window = std::array<int, 3>;

TEST_F(WindowTest, FirstFillTakesThreeSegmentsAndDropsTheHandles) {
    loadCourse(7);
    // A handle of our own to the segment that becomes the first one: once the window
    // has copied it, ours is the only reference left.
    const CountedHandle<SegmentMesh> first = makeHandle(straightTile(1));
    TrackMeshes.popFront();
    TrackMeshes.pushFront(first);
    EXPECT_EQ(first->refCount, 2);

    frame();
    EXPECT_EQ(windowFillPending, 0);
    EXPECT_EQ(window(), (Window{1, 2, 3}));
    EXPECT_EQ(first->refCount, 1);
    EXPECT_EQ(TrackMeshes.count(), 4);
    EXPECT_EQ(TrackObjects.count(), 4);
    EXPECT_EQ(GameState.racing, 1);

    // The fill happens once per run: a track loaded again in front is not taken.
    TrackMeshes.pushFront(makeHandle(straightTile(9)));
    frame();
    EXPECT_EQ(window(), (Window{1, 2, 3}));
}

TEST_F(WindowTest, AdvanceNeedsAStepBeyondTheEntryEdge) {
    loadCourse(8);
    frame();
    RiderPosition.z = 10.0f;  // exactly on the entry line of segment 2
    frame();
    EXPECT_EQ(window(), (Window{1, 2, 3}));
    RiderPosition.z = 10.00001f;
    frame();
    EXPECT_EQ(window(), (Window{2, 3, 4}));
    EXPECT_EQ(TrackMeshes.count(), 4);
}

TEST_F(WindowTest, AtMostOneAdvancePerFrame) {
    loadCourse(10);
    frame();
    RiderPosition.z = 1000.0f;
    frame();
    EXPECT_EQ(window(), (Window{2, 3, 4}));
    frame();
    EXPECT_EQ(window(), (Window{3, 4, 5}));
}

TEST(EntryTest, EachHeadingHasItsStrictTest) {
    SegmentMesh m;
    m.points[0] = Point3(5, 0, 7);
    struct Case {
        int variant;
        Point3 beyond, on;
    };
    const Case cases[] = {
        {1, Point3(0, 0, 7.5f), Point3(100, 0, 7)},   // +z
        {2, Point3(4.5f, 0, 0), Point3(5, 0, -100)},  // -x
        {3, Point3(0, 0, 6.5f), Point3(-100, 0, 7)},  // -z
        {4, Point3(5.5f, 0, 0), Point3(5, 0, 100)},   // +x
        {5, Point3(0, 0, 7.5f), Point3(100, 0, 7)},   // 5 mod 4 = 1
        {8, Point3(5.5f, 0, 0), Point3(5, 0, 100)},   // 8 mod 4 = 0
    };
    for (const Case& c : cases) {
        m.variant = c.variant;
        EXPECT_TRUE(hasEnteredSegment(c.beyond, m)) << c.variant;
        EXPECT_FALSE(hasEnteredSegment(c.on, m)) << c.variant;
    }
    m.variant = -1;  // no heading: never entered
    EXPECT_FALSE(hasEnteredSegment(Point3(100, 0, 100), m));
    EXPECT_FALSE(hasEnteredSegment(Point3(-100, 0, -100), m));
}

TEST_F(WindowTest, FiveSegmentsEndOnTheFirstFrame) {
    loadCourse(5);
    frame();
    EXPECT_EQ(TrackMeshes.count(), 2);
    EXPECT_EQ(GameState.racing, 0);
    EXPECT_EQ(GameState.screen, FinishScreen);
    // A race started afterwards ends again at once; the window is not refilled.
    GameState.racing = 1;
    GameState.screen = 1;
    frame();
    EXPECT_EQ(GameState.racing, 0);
    EXPECT_EQ(GameState.screen, 27);
    EXPECT_EQ(window(), (Window{1, 2, 3}));
}

TEST_F(WindowTest, SixSegmentsEndInTheFrameOfTheFirstAdvance) {
    loadCourse(6);
    frame();
    EXPECT_EQ(GameState.racing, 1);
    frame();
    EXPECT_EQ(GameState.racing, 1);
    enterSegment(2);
    frame();
    EXPECT_EQ(window(), (Window{2, 3, 4}));
    EXPECT_EQ(GameState.racing, 0);
    EXPECT_EQ(GameState.screen, 27);
    EXPECT_EQ(TrackMeshes.count(), 2);
}

TEST_F(WindowTest, FourSegmentsRunOutAndRepeatTheLast) {
    loadCourse(4);
    frame();
    EXPECT_EQ(TrackMeshes.count(), 1);
    enterSegment(2);
    frame();
    EXPECT_EQ(window(), (Window{2, 3, 4}));
    EXPECT_EQ(TrackMeshes.count(), 0);
    enterSegment(3);
    frame();
    EXPECT_EQ(window(), (Window{3, 4, 4}));
    enterSegment(4);
    frame();
    EXPECT_EQ(window(), (Window{4, 4, 4}));
    EXPECT_EQ(GameState.racing, 1);  // the count never equals 2
    EXPECT_EQ(GameState.screen, 1);
}

TEST_F(WindowTest, ThreeSegmentsNeverMeetTheFinish) {
    loadCourse(3);
    frame();
    EXPECT_EQ(window(), (Window{1, 2, 3}));
    EXPECT_EQ(TrackMeshes.count(), 0);
    enterSegment(2);
    frame();
    EXPECT_EQ(window(), (Window{2, 3, 3}));
    enterSegment(3);
    frame();
    EXPECT_EQ(window(), (Window{3, 3, 3}));
    EXPECT_EQ(GameState.racing, 1);
}

TEST_F(WindowTest, ShortCoursesLeaveEmptySlotsAndStayOnTheLastSegment) {
    loadCourse(2);
    frame();
    EXPECT_EQ(window(), (Window{1, 2, 0}));
    EXPECT_EQ(SegmentWindow.third.mesh.polygonCount, 0);
    EXPECT_EQ(SegmentWindow.third.objects.slots[0].pointCount, 0);
    enterSegment(2);
    frame();
    EXPECT_EQ(window(), (Window{2, 0, 0}));
    // Nothing lies beyond: the rider stays on the last segment however far they go.
    RiderPosition = Point3(1000, 0, 1000);
    frame();
    RiderPosition = Point3(-1000, 0, -1000);
    frame();
    EXPECT_EQ(window(), (Window{2, 0, 0}));
    EXPECT_EQ(GameState.racing, 1);
}

TEST_F(WindowTest, OneSegmentAndAnEmptyCourse) {
    frame();  // no course: no fill, still pending
    EXPECT_EQ(windowFillPending, 1);
    EXPECT_EQ(window(), (Window{0, 0, 0}));
    EXPECT_EQ(SegmentWindow.current.mesh.kind, 0);

    loadCourse(1);
    frame();
    EXPECT_EQ(windowFillPending, 0);
    EXPECT_EQ(window(), (Window{1, 0, 0}));
    RiderPosition = Point3(1000, 0, 1000);
    frame();
    EXPECT_EQ(window(), (Window{1, 0, 0}));
}

}  // namespace
