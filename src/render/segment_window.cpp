// Filling and sliding the window of three segments along the course.
#include "render/segment_window.h"

#include "base/game_state.h"
#include "render/camera.h"
#include "track/tile_frame.h"
#include "track/track_lists.h"

SegmentWindowSlots SegmentWindow;
int32_t windowFillPending = 1;

namespace {

// The course is finished when only this many segments are left in the list.
constexpr int SegmentsLeftAtFinish = 2;

// Copies the next segment of the lists into slot; the handles are dropped on return.
// An exhausted list leaves an empty segment instead of reading through a null handle.
void takeMesh(WindowSlot& slot) {
    const CountedHandle<SegmentMesh> handle = TrackMeshes.popFront();
    if (handle) {
        slot.mesh = *handle;
        slot.filled = 1;
    } else {
        slot.mesh = SegmentMesh();
        slot.filled = 0;
    }
}

void takeObjects(WindowSlot& slot) {
    const CountedHandle<SegmentObjects> handle = TrackObjects.popFront();
    slot.objects = handle ? *handle : SegmentObjects();
}

void firstFill() {
    windowFillPending = 0;
    takeMesh(SegmentWindow.current);
    takeMesh(SegmentWindow.next);
    takeMesh(SegmentWindow.third);
    takeObjects(SegmentWindow.current);
    takeObjects(SegmentWindow.next);
    takeObjects(SegmentWindow.third);
}

void advance() {
    SegmentWindow.current = SegmentWindow.next;
    SegmentWindow.next = SegmentWindow.third;
    // With the course used up, third keeps its segment: next and third are then the same.
    if (TrackMeshes.count() > 0) {
        takeMesh(SegmentWindow.third);
        takeObjects(SegmentWindow.third);
    }
}

}  // namespace

bool hasEnteredSegment(const Point3& position, const SegmentMesh& mesh) {
    const Point3& edge = mesh.points[0];
    switch (travelHeading(mesh)) {
        case 1: return position.z > edge.z;
        case 2: return position.x < edge.x;
        case 3: return position.z < edge.z;
        case 0: return position.x > edge.x;
        default: return false;  // a negative variant has no heading
    }
}

void advanceWindow() {
    if (TrackMeshes.count() > 0 && windowFillPending == 1) firstFill();
    if (SegmentWindow.next.filled && hasEnteredSegment(RiderPosition, SegmentWindow.next.mesh))
        advance();
}

void checkRaceEnd() {
    if (TrackMeshes.count() == SegmentsLeftAtFinish) {
        GameState.racing = 0;
        GameState.screen = FinishScreen;
    }
}

void advanceRaceFrame() {
    advanceWindow();
    checkRaceEnd();
}

void resetSegmentWindow() {
    SegmentWindow.current = WindowSlot();
    SegmentWindow.next = WindowSlot();
    SegmentWindow.third = WindowSlot();
    windowFillPending = 1;
}
