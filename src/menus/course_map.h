// A course seen from above: the path triangles of every tile, as the tile catalogue
// builds them, scaled into a box of the page with the aspect ratio kept.
#pragma once

#include "display/display.h"

constexpr int MapTriangleCapacity = 12000;

struct CourseMap {
    float x[MapTriangleCapacity][3], z[MapTriangleCapacity][3];
    int triangles;
    float minX, maxX, minZ, maxZ;
    float startX, startZ, finishX, finishZ;
    int tiles;
};

// Builds the map of a course file; 0 when it cannot be read or has no path.
int buildCourseMap(const char* path, CourseMap* map);
// The same for size bytes of course text in memory.
int buildCourseMapText(const char* text, int size, CourseMap* map);

struct MapBox {
    int left, top, right, bottom;  // inclusive
};

// Where the world point (x, z) of the map's course lies on the page when the map is drawn
// into box.
void courseMapPoint(const CourseMap& map, const MapBox& box, float x, float z, int* px, int* py);

// Fills the path in colour path, the start in start and the finish in finish (palette
// indices); nothing is drawn outside the box.
void drawCourseMap(const CourseMap& map, DisplayContext* page, const MapBox& box, int path, int start, int finish);
