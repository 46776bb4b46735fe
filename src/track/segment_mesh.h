// One tile of the course: its points, coloured triangles, kind, variant, slope and the
// position where the next tile starts. Built from a track line by buildSegmentMesh.
#pragma once

#include <cstdint>

#include "base/math3d.h"

// A triangle of a tile: three indices into the tile's points and its colour, which is
// also the renderer's material key.
struct MeshPolygon {
    int32_t vertexA, vertexB, vertexC;
    int32_t red, green, blue;
};

struct SegmentMesh {
    MeshPolygon polygons[100];  // 0 .. polygonCount - 1 in use
    Point3 points[50];          // world coordinates, w = 1; 0 .. pointCount - 1 in use
    int32_t slope;              // drop H of the tile, also the slope class of the ride
    char kind;                  // kind letter, column 0 of the line
    int32_t variant;            // variant number, column 1 of the line
    int32_t pointCount;
    int32_t polygonCount;
    float endX, endY, endZ;     // start position of the next tile
    int32_t refCount;           // intrusive count of CountedHandle; 0 when freshly built

    // An empty tile: no points, no triangles, everything zero.
    SegmentMesh();
};

// Builds the tile for a track line (kind at column 0, variant at column 1, slope at
// column 3) starting at (x, y, z). A kind outside the catalogue or a variant the kind
// does not have gives an empty tile whose end position is the start.
SegmentMesh buildSegmentMesh(const char* line, float x, float y, float z);

// True when the kind letter has a tile shape.
bool isCatalogueKind(char kind);
