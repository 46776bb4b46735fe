// Builds the roadside objects of a tile from its track line: each object's shape from
// its table, its place from the slot and its orientation from the variant.
#include "track/segment_objects.h"

#include <cstring>

#include "track/tile_catalogue.h"
#include "track/track_line.h"

SegmentObjects::SegmentObjects() : slots{}, refCount(0), objectCount(0) {
    for (ObjectSlot& slot : slots) {
        slot.kind = 'n';
        for (Point3& point : slot.points) point.set(0.0f, 0.0f, 0.0f, 1.0f);
    }
}

namespace {

#define COUNT(table) static_cast<int>(sizeof(table) / sizeof(table[0]))

// How an object triangle is painted: one course colour, or the gate banner, red on odd
// 't' lines and blue on even ones.
enum ObjectPaint : uint8_t { PaintWood, PaintGreen, PaintWhite, PaintGateBanner };

// A local point of an object: u across the tile, f forward, h above the ground. u and f
// are offsets from the object's anchor (its slot's place on the tile).
struct ObjectPoint {
    double u, f, h;
};

struct ObjectTriangle {
    uint8_t a, b, c;
    ObjectPaint colour;
};

struct ObjectShape {
    const ObjectPoint* points;
    int pointCount;
    const ObjectTriangle* triangles;
    int triangleCount;
    float groundFactor;  // the ground's drop at the object, as a multiple of the slope
};

// Slalom gate: two posts and a banner in the plane f = 0.5, left post at the anchor.
const ObjectPoint GatePoints[] = {
    {0, 0.5, 0}, {0.05, 0.5, 0}, {0.95, 0.5, 0}, {1, 0.5, 0}, {0, 0.5, 1},
    {0.05, 0.5, 1}, {0.95, 0.5, 1}, {1, 0.5, 1}, {0, 0.5, 2}, {1, 0.5, 2},
};
const ObjectTriangle GateTriangles[] = {
    {0, 1, 5, PaintWood}, {0, 4, 5, PaintWood}, {2, 3, 6, PaintWood},
    {3, 6, 7, PaintWood}, {4, 7, 8, PaintGateBanner}, {8, 9, 7, PaintGateBanner},
};

// Tree: a trunk and three hexagonal tiers around the anchor.
const ObjectPoint TreePoints[] = {
    {-0.1, -0.1, 0}, {0.1, -0.1, 0}, {0.1, 0.1, 0}, {-0.1, 0.1, 0},
    {-0.1, -0.1, 0.2}, {0.1, -0.1, 0.2}, {0.1, 0.1, 0.2}, {-0.1, 0.1, 0.2},
    {-1.2, 0, 0.2}, {-0.6, -1.04, 0.2}, {0.6, -1.04, 0.2}, {1.2, 0, 0.2}, {0.6, 1.04, 0.2}, {-0.6, 1.04, 0.2},
    {-0.5, 0, 1.4}, {-0.24, -0.42, 1.4}, {0.24, -0.42, 1.4}, {0.5, 0, 1.4}, {0.24, 0.42, 1.4}, {-0.24, 0.42, 1.4},
    {-0.78, 0, 1.4}, {-0.4, -0.68, 1.4}, {0.4, -0.68, 1.4}, {0.78, 0, 1.4}, {0.4, 0.68, 1.4}, {-0.4, 0.68, 1.4},
    {-0.3, 0, 2.2}, {-0.14, -0.24, 2.2}, {0.14, -0.24, 2.2}, {0.3, 0, 2.2}, {0.14, 0.24, 2.2}, {-0.14, 0.24, 2.2},
    {-0.5, 0, 2.2}, {-0.24, -0.42, 2.2}, {0.24, -0.42, 2.2}, {0.5, 0, 2.2}, {0.24, 0.42, 2.2}, {-0.24, 0.42, 2.2},
    {0, 0, 3},
};
const ObjectTriangle TreeTriangles[] = {
    {0, 1, 4, PaintWood}, {0, 1, 5, PaintWood}, {1, 2, 5, PaintWood}, {1, 2, 6, PaintWood},
    {2, 3, 6, PaintWood}, {2, 3, 7, PaintWood}, {3, 0, 7, PaintWood}, {3, 0, 4, PaintWood},
    {8, 9, 14, PaintGreen}, {9, 14, 15, PaintGreen}, {9, 10, 15, PaintGreen}, {10, 15, 16, PaintGreen},
    {10, 11, 16, PaintGreen}, {11, 16, 17, PaintGreen}, {11, 12, 17, PaintGreen}, {12, 17, 18, PaintGreen},
    {12, 13, 18, PaintGreen}, {13, 18, 19, PaintGreen}, {13, 8, 19, PaintGreen}, {8, 19, 14, PaintGreen},
    {20, 21, 26, PaintGreen}, {21, 26, 27, PaintGreen}, {21, 22, 27, PaintGreen}, {22, 27, 28, PaintGreen},
    {22, 23, 28, PaintGreen}, {23, 28, 29, PaintGreen}, {23, 24, 29, PaintGreen}, {24, 29, 30, PaintGreen},
    {24, 25, 30, PaintGreen}, {25, 30, 31, PaintGreen}, {25, 20, 31, PaintGreen}, {20, 31, 26, PaintGreen},
    {32, 33, 38, PaintGreen}, {33, 34, 38, PaintGreen}, {34, 35, 38, PaintGreen},
    {35, 36, 38, PaintGreen}, {36, 37, 38, PaintGreen}, {37, 32, 38, PaintGreen},
};

// Sign board between two posts, slanted across the tile; slot 4 has its own slant.
const ObjectPoint SignSlot4Points[] = {
    {1, 7, 0}, {1.05, 7, 0}, {2.95, 8.5, 0}, {3, 8.5, 0}, {1.05, 7, 0.2},
    {2.95, 8.5, 0.2}, {1, 7, 0.9}, {1.05, 7, 0.9}, {2.95, 8.5, 0.9}, {3, 8.5, 0.9},
};
const ObjectPoint SignPoints[] = {
    {7, 8.5, 0}, {7.05, 8.5, 0}, {8.95, 7, 0}, {9, 7, 0}, {7.05, 8.5, 0.2},
    {8.95, 7, 0.2}, {7, 8.5, 0.9}, {7.05, 8.5, 0.9}, {8.95, 7, 0.9}, {9, 7, 0.9},
};
const ObjectTriangle SignTriangles[] = {
    {0, 1, 6, PaintWood}, {1, 6, 7, PaintWood}, {2, 8, 9, PaintWood},
    {2, 3, 9, PaintWood}, {4, 5, 8, PaintWhite}, {4, 7, 8, PaintWhite},
};

const ObjectShape Gate = {GatePoints, COUNT(GatePoints), GateTriangles, COUNT(GateTriangles), 0.05f};
const ObjectShape Tree = {TreePoints, COUNT(TreePoints), TreeTriangles, COUNT(TreeTriangles), 0.0f};
const ObjectShape SignSlot4 = {SignSlot4Points, COUNT(SignSlot4Points), SignTriangles,
                               COUNT(SignTriangles), 0.8f};
const ObjectShape Sign = {SignPoints, COUNT(SignPoints), SignTriangles, COUNT(SignTriangles), 0.8f};

struct Anchor {
    double u, f;
};

// The shape of an object letter in a slot, and where its anchor lies on the tile.
const ObjectShape* objectShape(char letter, int slot, Anchor* anchor) {
    switch (letter) {
    case 't':
        *anchor = {slot == 0 ? 2.0 : 7.0, 0.0};
        return &Gate;
    case 'b':
        *anchor = slot == 2 ? Anchor{3.0, 7.0} : Anchor{7.0, 7.0};
        return &Tree;
    case 'w':
        *anchor = {0.0, 0.0};
        return slot == 4 ? &SignSlot4 : &Sign;
    default:
        return nullptr;
    }
}

TileRgb objectRgb(ObjectPaint colour, int tLineCount) {
    switch (colour) {
    case PaintWood: return courseRgb(ObjectWood);
    case PaintGreen: return courseRgb(Grass);
    case PaintWhite: return courseRgb(ObjectWhite);
    default: return courseRgb((tLineCount % 2 != 0) ? GateRed : GateBlue);
    }
}

bool isObjectLetter(char letter) { return letter == 't' || letter == 'b' || letter == 'w'; }

// Variants 1 to 4 turn the object with the tile; variant 4 is the heading +x.
bool placedVariant(int variant) { return variant >= 1 && variant <= 4; }

void buildObject(ObjectSlot& slot, int slotNumber, int variant, float slopeH, float a, float b,
                 float c, int tLineCount) {
    Anchor anchor = {0.0, 0.0};
    const ObjectShape* shape = objectShape(slot.kind, slotNumber, &anchor);
    if (!shape) return;
    int heading = tileHeading(variant);
    // The ground under the object: start height plus its share of the slope.
    float ground = b + shape->groundFactor * slopeH;
    for (int i = 0; i < shape->pointCount; ++i) {
        const ObjectPoint& point = shape->points[i];
        float u = static_cast<float>(anchor.u + point.u);
        float f = static_cast<float>(anchor.f + point.f);
        float worldX, worldZ;
        placeInTile(heading, a, c, u, f, &worldX, &worldZ);
        slot.points[i].set(worldX, ground - static_cast<float>(point.h), worldZ, 1.0f);
    }
    for (int i = 0; i < shape->triangleCount; ++i) {
        const ObjectTriangle& triangle = shape->triangles[i];
        TileRgb rgb = objectRgb(triangle.colour, tLineCount);
        slot.polygons[i] = {triangle.a, triangle.b, triangle.c, rgb.red, rgb.green, rgb.blue};
    }
    slot.pointCount = shape->pointCount;
    slot.polygonCount = shape->triangleCount;
}

}  // namespace

SegmentObjects buildSegmentObjects(const char* line, float x, float y, float z, int tLineCount) {
    SegmentObjects objects;
    objects.objectCount = readTrackNumber(line, 5);
    int variant = readTrackNumber(line, 1);
    float slopeH = static_cast<float>(readTrackNumber(line, 3));

    // Object i: slot number at column 7 + 3i, letter at column 8 + 3i. Objects the line
    // announces but does not hold are absent; slot numbers outside 0 to 5 are ignored.
    long length = static_cast<long>(std::strlen(line));
    for (long i = 0; i < objects.objectCount; ++i) {
        long slotColumn = 7 + 3 * i;
        if (slotColumn + 1 >= length) break;
        int slot = readTrackNumber(line, static_cast<int>(slotColumn));
        if (slot < 0 || slot > 5) continue;
        objects.slots[slot].kind = line[slotColumn + 1];
    }

    for (int s = 0; s < 6; ++s) {
        ObjectSlot& slot = objects.slots[s];
        // Unknown letters, and any object on a variant without a frame, leave the slot empty.
        if (!isObjectLetter(slot.kind) || !placedVariant(variant)) {
            slot.kind = 'n';
            continue;
        }
        buildObject(slot, s, variant, slopeH, x, y, z, tLineCount);
    }
    return objects;
}
