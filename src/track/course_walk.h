// A course walked in file order the way the game builds it: the curve-run rule, the
// cursor that chains the tiles end to end from (10, 0, 10) and the count of gate lines
// that colours the slalom gates. The loader and the course checker both walk with it.
#pragma once

#include "track/segment_mesh.h"
#include "track/segment_objects.h"
#include "track/track_line.h"

struct CourseWalk {
    CurveRuns runs;
    float cursorX = 10.0f, cursorY = 0.0f, cursorZ = 10.0f;
    int tLineCount = 0;  // built lines whose first object is a gate
};

// True when the line is built (not a comment, not a skipped curve line).
bool courseLineBuilt(CourseWalk& walk, const char* line);

// Builds the tile and the objects of a built line at the cursor and moves the cursor
// to where the next tile starts.
void buildCourseLine(CourseWalk& walk, const char* line, SegmentMesh* mesh, SegmentObjects* objects);
