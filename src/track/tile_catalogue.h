// The catalogue of tile shapes as data: every kind's points in the tile's local frame
// (u across, v down, w forward) with their slope multiples, its triangles with colour
// labels, and the four frames that turn a local point into world space.
#pragma once

#include <cstdint>

// Colours of the catalogue, by label.
enum TileColour : uint8_t { Grass, PathColour, PostWood, Tape, Water, RampWood, GatePost, BannerColour };

struct TileRgb {
    int32_t red, green, blue;
};
extern const TileRgb TileColours[8];

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
    TileColour colour;
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

struct TileKind {
    char letter;
    const TileShape* firstShape;   // variants 1 to 4
    const TileShape* secondShape;  // variants 5 to 8, or null
    bool singleFrame;              // always laid out in the variant 1 frame ('z')
};

// The kind's entry, or null for a letter outside the catalogue.
const TileKind* findTileKind(char letter);
// The shape a variant uses, or null when the kind does not have that variant.
const TileShape* tileShapeForVariant(const TileKind& kind, int variant);
// Points and triangles of a shape.
int tileShapePointCount(const TileShape& shape);
int tileShapeTriangleCount(const TileShape& shape);

// The heading a variant gives (variant mod 4, 1 = +z, 2 = -x, 3 = -z, 0 = +x).
int tileHeading(int variant);

// World x and z of the local (u, w) in the frame of a heading, from the start (startX,
// startZ): heading 1 (x + u, z + w), 2 (x - w, z + u), 3 (x - u, z - w), 0 (x + w, z - u).
void placeInTile(int heading, float startX, float startZ, float u, float w, float* x, float* z);
