// Where every tile of the editor's course lies: the start the loader's walk gives it and
// the gate lines before it. After an edit only the tiles from the first changed one on are
// walked again; one tile is built from its place alone.
#pragma once

#include "editor/course_model.h"
#include "track/segment_mesh.h"
#include "track/segment_objects.h"

struct TilePlace {
    float x, y, z;   // the tile's start, as the loader's cursor has it
    int gateLines;   // built lines with a gate first, this tile's line not counted
};

struct CourseLayout {
    TilePlace places[CourseModelCapacity + 1];  // one more: where the course ends
    int count;
};

// Walks the tiles from `from` on (the places before it are kept).
void layOutCourse(const CourseModel& model, int from, CourseLayout* layout);
// The tile and objects of tile index, built where the layout puts it.
void buildLaidTile(const CourseModel& model, const CourseLayout& layout, int index, SegmentMesh* mesh,
                   SegmentObjects* objects);
// The middle of the ground square tile index covers, in world x and z.
void tileMiddle(const CourseModel& model, const CourseLayout& layout, int index, float* x, float* z);
