// The roadside objects of one tile: up to six slalom gates, trees and sign boards,
// each in its own slot. Built from a track line by buildSegmentObjects.
#pragma once

#include <cstdint>

#include "base/math3d.h"
#include "track/segment_mesh.h"

struct ObjectSlot {
    MeshPolygon polygons[50];   // 0 .. polygonCount - 1 in use
    Point3 points[40];          // world coordinates; 0 .. pointCount - 1 in use
    char kind;                  // 't' gate, 'b' tree, 'w' sign board, 'n' empty
    int32_t pointCount;
    int32_t polygonCount;
};

class SegmentObjects {
public:
    ObjectSlot slots[6];
    int32_t refCount;           // intrusive count of CountedHandle; 0 when freshly built
    int32_t objectCount;        // object count read from column 5 of the line

    // Six empty slots.
    SegmentObjects();
    SegmentObjects(const SegmentObjects&) = default;
    SegmentObjects& operator=(const SegmentObjects&) = default;
    virtual ~SegmentObjects() {}
};

// Builds the objects a track line places on the tile that starts at (x, y, z).
// tLineCount is the loader's count of gate lines so far; its parity colours the gate
// banners (odd red, even blue).
SegmentObjects buildSegmentObjects(const char* line, float x, float y, float z, int tLineCount);
