// The catalogue of tile shapes as data: every kind's points in the tile's local frame
// (u across, v down, w forward) with their slope multiples, its triangles with colour
// labels, and the four frames that turn a local point into world space.
#pragma once

#include <cstdint>

#include "track/course_colours.h"

// A local point: u across the tile, the height v = vSlope * H + v (H the slope), w along
// the heading. Stored in double so that a mirrored u (10 - u) rounds to the same float
// as the written value would.
struct TilePoint {
    double u;
    double v;
    double vSlope;
    double w;
};

// A triangle by indices relative to the first point of its part.
struct TileTriangle {
    uint8_t a, b, c;
    CourseColour colour;
};

// A block of points with the triangles over them (ground and path, a fence, a banner).
struct TilePart {
    const TilePoint* points;
    int pointCount;
    const TileTriangle* triangles;
    int triangleCount;
};

// A part as it is used in a shape, possibly mirrored across the tile (u -> 10 - u).
struct ShapePart {
    const TilePart* part;
    bool mirrored;
};

// One shape of a kind: its parts in point order and its local end point.
struct TileShape {
    ShapePart parts[3];
    int partCount;
    TilePoint end;
};

// Where a shape leads the path: straight on, or a quarter turn left or right.
enum TileWay : int8_t { WayStraight, WayLeft, WayRight };

// Everything a kind letter means, one column each.
struct TileKind {
    char letter;
    const TileShape* firstShape;   // variants 1 to 4
    const TileShape* secondShape;  // variants 5 to 8, or null
    bool singleFrame;              // always laid out in the variant 1 frame ('z')
    TileWay firstWay;              // where the first shape leads the path
    TileWay secondWay;             // where the second shape leads it
    bool secondMirrored;           // the second shape mirrors the first: its start corner is point 3
    bool walled;                   // the off-track test watches its walls
};

// The kind's entry, or null for a letter outside the catalogue.
const TileKind* findTileKind(char letter);
// The shape a variant uses, or null when the kind does not have that variant.
const TileShape* tileShapeForVariant(const TileKind& kind, int variant);
// Points and triangles of a shape.
int tileShapePointCount(const TileShape& shape);
int tileShapeTriangleCount(const TileShape& shape);

// The heading rule: variant mod 4 with the sign of the variant, 1 = +z, 2 = -x, 3 = -z,
// 0 = +x; a negative variant gives a negative result, which the ride takes as no heading.
inline int variantHeading(int variant) { return variant % 4; }
// The heading the catalogue lays a tile out in: the same rule, negative results
// brought into 0 to 3.
inline int tileHeading(int variant) {
    const int heading = variantHeading(variant);
    return heading < 0 ? heading + 4 : heading;
}
// Where the shape of a variant leads the path; straight on for a variant without a shape.
TileWay tileWayForVariant(const TileKind& kind, int variant);
// A kind whose every shape goes straight on.
inline bool isStraightKind(const TileKind& kind) {
    return kind.firstWay == WayStraight && kind.secondWay == WayStraight;
}
// The quarter turns a way adds to the heading: +1 left, -1 right.
inline int headingTurnOf(TileWay way) { return way == WayLeft ? 1 : (way == WayRight ? -1 : 0); }

// World x and z of the local (u, w) in the frame of a heading, from the start (startX,
// startZ): heading 1 (x + u, z + w), 2 (x - w, z + u), 3 (x - u, z - w), 0 (x + w, z - u).
void placeInTile(int heading, float startX, float startZ, float u, float w, float* x, float* z);
