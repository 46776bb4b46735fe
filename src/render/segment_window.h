// The three segments around the rider: the one the rider is on (current), the one
// after it (next) and the one after that (third), each copied by value out of the
// track lists. The race view fills and advances it; the ride reads current.
#pragma once

#include <cstdint>

#include "base/math3d.h"
#include "track/segment_mesh.h"
#include "track/segment_objects.h"

struct WindowSlot {
    SegmentMesh mesh;
    SegmentObjects objects;
    // The slot holds a segment taken from the lists; a course shorter than three
    // segments leaves slots empty, and the rider never advances into an empty one.
    int32_t filled = 0;
};

struct SegmentWindowSlots {
    WindowSlot current;
    WindowSlot next;
    WindowSlot third;
};

extern SegmentWindowSlots SegmentWindow;
// 1 until the first race frame of the run has filled the window.
extern int32_t windowFillPending;

// The finish screen the race-end check switches to.
constexpr int32_t FinishScreen = 27;

// First fill, advance test and at most one advance (every race frame).
void advanceWindow();
// Whether the rider at position has crossed the entry edge of the segment whose first
// point and variant are those of mesh (strict comparisons, by heading variant mod 4).
bool hasEnteredSegment(const Point3& position, const SegmentMesh& mesh);
// Ends the run with the finish screen once the course is down to two segments.
void checkRaceEnd();
// What a race frame changes: the window moved on (advanceWindow), then the race-end
// check. Drawing the frame changes nothing; the game, the demos and the fuzz targets
// all move the window through this one step.
void advanceRaceFrame();
// Empty slots and a fill pending again (tests).
void resetSegmentWindow();
