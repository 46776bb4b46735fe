// Clip codes of view-space points and the clipping of tile triangles against the
// view volume: near, right, left, top and bottom, one Sutherland-Hodgman pass each.
// The far limit only rejects.
#pragma once

#include <cstdint>

#include "base/math3d.h"

enum ClipBit : int32_t {
    ClipLeft = 1,    // -x > z
    ClipRight = 2,   // x > z
    ClipTop = 4,     // -y > z*k
    ClipBottom = 8,  // y > z*k
    ClipNear = 16,   // z < 2
    ClipFar = 32,    // z > 30
};

// The slope k of the top and bottom planes, y = +-k*z.
constexpr float ClipSlope = 0.668179f;
constexpr float ClipNearZ = 2.0f;
constexpr float ClipFarZ = 30.0f;

enum ClipPlaneIndex { PlaneLeft, PlaneRight, PlaneTop, PlaneBottom, PlaneNear, PlaneFar };
// Unit normals of the six planes of the view volume (initGame builds them).
extern Vector3 ClipPlanes[6];
void buildClipPlanes();

int32_t clipCodeOf(const Tuple4& p);

constexpr int ClipPolygonMax = 10;

// A polygon being clipped: view-space vertices with their codes.
struct ClipPolygon {
    Point3 vertex[ClipPolygonMax];
    int32_t code[ClipPolygonMax];
    int32_t count;
};

// Clips the view-space triangle (a, b, c) with its corners' codes. Answers whether
// anything is left; the surviving polygon (3 to 8 vertices) is written to out.
bool clipTriangle(const Point3& a, int32_t ca, const Point3& b, int32_t cb, const Point3& c,
                  int32_t cc, ClipPolygon* out);
