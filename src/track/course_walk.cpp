#include "track/course_walk.h"

bool courseLineBuilt(CourseWalk& walk, const char* line) { return !walk.runs.skip(line[0]); }

void buildCourseLine(CourseWalk& walk, const char* line, SegmentMesh* mesh, SegmentObjects* objects) {
    *mesh = buildSegmentMesh(line, walk.cursorX, walk.cursorY, walk.cursorZ);
    if (readTrackNumber(line, 5) != 0 && trackLineChar(line, 8) == 't') ++walk.tLineCount;
    *objects = buildSegmentObjects(line, walk.cursorX, walk.cursorY, walk.cursorZ, walk.tLineCount);
    walk.cursorX = mesh->endX;
    walk.cursorY = mesh->endY;
    walk.cursorZ = mesh->endZ;
}
