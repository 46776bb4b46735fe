// The tile catalogue. Points are written { u, v, vSlope, w }: a height "-0.7 + 0.2H"
// is { ..., -0.7, 0.2, ... }. Triangle indices count from the first point of their part.
#include "track/tile_catalogue.h"

namespace {

#define COUNT(table) static_cast<int>(sizeof(table) / sizeof(table[0]))

// ---- fences -------------------------------------------------------------------

// Two posts and a tape on each side of a straight tile, at u = 0.2 and u = 9.8.
const TilePoint StraightFencePoints[] = {
    {0.2, 0, 0.2, 2},     {0.2, 0, 0.22, 2.2},     {0.2, -0.7, 0.2, 2},  {0.2, -0.7, 0.22, 2.2},
    {0.2, 0, 0.7, 7},     {0.2, 0, 0.68, 6.8},     {0.2, -0.7, 0.7, 7},  {0.2, -0.7, 0.68, 6.8},
    {0.2, -0.7, 0, 0},    {0.2, -0.75, 0, 0},      {0.2, -0.7, 1, 10},   {0.2, -0.75, 1, 10},
    {9.8, 0, 0.2, 2},     {9.8, 0, 0.22, 2.2},     {9.8, -0.7, 0.2, 2},  {9.8, -0.7, 0.22, 2.2},
    {9.8, 0, 0.7, 7},     {9.8, 0, 0.68, 6.8},     {9.8, -0.7, 0.7, 7},  {9.8, -0.7, 0.68, 6.8},
    {9.8, -0.7, 0, 0},    {9.8, -0.75, 0, 0},      {9.8, -0.7, 1, 10},   {9.8, -0.75, 1, 10},
};

const TileTriangle StraightFenceTriangles[] = {
    {0, 1, 2, PostWood},    {1, 2, 3, PostWood},    {4, 5, 6, PostWood},    {5, 6, 7, PostWood},
    {8, 9, 10, Tape},       {9, 10, 11, Tape},      {12, 13, 14, PostWood}, {13, 14, 15, PostWood},
    {16, 17, 18, PostWood}, {17, 18, 19, PostWood}, {20, 21, 22, Tape},     {21, 22, 23, Tape},
};

// The outside of a right turn: tape along u = 0.2 and along w = 9.8, posts at w = 3, at
// the outer corner and at u = 7 on the far side, one post at the inner corner.
const TilePoint CornerFencePoints[] = {
    {0.2, 0, 0.3, 3},        {0.2, 0, 0.32, 3.2},       {0.2, -0.7, 0.3, 3},       {0.2, -0.7, 0.32, 3.2},
    {0.2, 0, 0.97, 9.7},     {0.3, 0, 0.98, 9.8},       {0.2, -0.75, 0.97, 9.7},   {0.3, -0.75, 0.98, 9.8},
    {7, 0, 0.98, 9.8},       {6.8, 0, 0.98, 9.8},       {7, -0.7, 0.98, 9.8},      {6.8, -0.7, 0.98, 9.8},
    {0.2, -0.7, 0, 0},       {0.2, -0.75, 0, 0},        {0.2, -0.7, 0.97, 9.7},    {0.2, -0.75, 0.97, 9.7},
    {0.3, -0.7, 0.98, 9.8},  {0.3, -0.75, 0.98, 9.8},   {10, -0.7, 0.98, 9.8},     {10, -0.75, 0.98, 9.8},
    {9.8, 0, 0, 0},          {10, 0, 0.02, 0.2},        {9.8, -0.75, 0, 0},        {10, -0.75, 0.02, 0.2},
};

const TileTriangle CornerFenceTriangles[] = {
    {0, 1, 2, PostWood},   {1, 2, 3, PostWood},    {4, 5, 6, PostWood},    {5, 6, 7, PostWood},
    {8, 9, 10, PostWood},  {9, 10, 11, PostWood},  {12, 13, 14, Tape},     {13, 14, 15, Tape},
    {16, 17, 18, Tape},    {17, 18, 19, Tape},     {20, 21, 22, PostWood}, {21, 22, 23, PostWood},
};

// ---- straight 'g' and the banner gate 'z' ---------------------------------------

const TilePoint StraightPoints[] = {
    {0, 0, 0, 0}, {4, 0, 0, 0}, {6, 0, 0, 0}, {10, 0, 0, 0},
    {0, 0, 1, 10}, {4, 0, 1, 10}, {6, 0, 1, 10}, {10, 0, 1, 10},
};

const TileTriangle StraightTriangles[] = {
    {0, 1, 4, Grass},      {1, 4, 5, Grass},      {1, 2, 5, PathColour},
    {2, 5, 6, PathColour}, {2, 6, 7, Grass},      {2, 3, 7, Grass},
};

// Two posts rising 3.5 above the start height at mid-tile and a banner between them.
const TilePoint BannerGatePoints[] = {
    {2, 0, 0, 5},      {2.1, 0, 0, 5},    {7.9, 0, 0, 5},    {8, 0, 0, 5},    {2.1, -2.5, 0, 5},
    {7.9, -2.5, 0, 5}, {2, -3.5, 0, 5},   {2.1, -3.5, 0, 5}, {7.9, -3.5, 0, 5}, {8, -3.5, 0, 5},
};

const TileTriangle BannerGateTriangles[] = {
    {0, 1, 6, GatePost}, {1, 6, 7, GatePost}, {2, 3, 8, GatePost},
    {3, 8, 9, GatePost}, {4, 5, 7, BannerColour}, {5, 7, 8, BannerColour},
};

// ---- 'a', 'e' and 's': the path moves across the tile ---------------------------

const TilePoint EasePoints[] = {  // 'a' variants 1-4: in off centre, out centred
    {0, 0, 0, 0},   {5.5, 0, 0, 0}, {8, 0, 0, 0},     {10, 0, 0, 0},
    {0, 0, 1, 10},  {4, 0, 1, 10},  {6, 0, 1, 10},    {10, 0, 1, 10},
    {4.5, 0, 0.1, 3}, {6.5, 0, 0.1, 3}, {4, 0, 0.4, 6}, {6, 0, 0.4, 6},
};
const TilePoint EaseSecondPoints[] = {  // 'a' variants 5-8
    {0, 0, 0, 0},   {2, 0, 0, 0},   {4.5, 0, 0, 0},   {10, 0, 0, 0},
    {0, 0, 1, 10},  {4, 0, 1, 10},  {6, 0, 1, 10},    {10, 0, 1, 10},
    {3.5, 0, 0.1, 3}, {5.5, 0, 0.1, 3}, {4, 0, 0.4, 7}, {6, 0, 0.4, 7},
};
const TileTriangle EaseTriangles[] = {
    {0, 1, 8, Grass},       {0, 4, 8, Grass},       {4, 8, 10, Grass},      {4, 5, 10, Grass},
    {1, 2, 8, PathColour},  {2, 8, 9, PathColour},  {8, 9, 10, PathColour}, {9, 10, 11, PathColour},
    {5, 10, 11, PathColour}, {5, 6, 11, PathColour}, {2, 3, 9, Grass},      {3, 7, 9, Grass},
    {7, 9, 11, Grass},      {6, 7, 11, Grass},
};

const TilePoint ExitPoints[] = {  // 'e' variants 1-4: in centred, out off centre
    {0, 0, 0, 0},   {4, 0, 0, 0},     {6, 0, 0, 0},   {10, 0, 0, 0},
    {0, 0, 1, 10},  {5.5, 0, 1, 10},  {8, 0, 1, 10},  {10, 0, 1, 10},
    {4, 0, 0.6, 4}, {6, 0, 0.6, 4},   {4.5, 0, 0.9, 7}, {6.5, 0, 0.9, 7},
};
const TilePoint ExitSecondPoints[] = {  // 'e' variants 5-8
    {0, 0, 0, 0},   {4, 0, 0, 0},     {6, 0, 0, 0},   {10, 0, 0, 0},
    {0, 0, 1, 10},  {2, 0, 1, 10},    {4.5, 0, 1, 10}, {10, 0, 1, 10},
    {4, 0, 0.6, 4}, {6, 0, 0.6, 4},   {3.5, 0, 0.9, 7}, {5.5, 0, 0.9, 7},
};
const TileTriangle ExitTriangles[] = {
    {0, 1, 8, Grass},       {0, 8, 10, Grass},      {0, 4, 10, Grass},      {4, 5, 10, Grass},
    {1, 2, 8, PathColour},  {2, 8, 9, PathColour},  {8, 9, 10, PathColour}, {9, 10, 11, PathColour},
    {5, 10, 11, PathColour}, {5, 6, 11, PathColour}, {2, 3, 9, Grass},      {3, 9, 11, Grass},
    {3, 7, 11, Grass},      {6, 7, 11, Grass},
};

const TilePoint BendPoints[] = {  // 's' variants 1-4; variants 5-8 mirror it
    {0, 0, 0, 0},   {4, 0, 0, 0},   {6, 0, 0, 0},   {10, 0, 0, 0},
    {0, 0, 1, 10},  {4, 0, 1, 10},  {6, 0, 1, 10},  {10, 0, 1, 10},
    {6, 0, 0.3, 3}, {8, 0, 0.3, 3}, {2, 0, 0.7, 7}, {4, 0, 0.7, 7},
};
const TileTriangle BendTriangles[] = {
    {0, 1, 8, Grass},       {0, 8, 10, Grass},      {0, 4, 10, Grass},      {4, 5, 10, Grass},
    {1, 2, 8, PathColour},  {2, 8, 9, PathColour},  {8, 9, 11, PathColour}, {8, 10, 11, PathColour},
    {5, 10, 11, PathColour}, {5, 6, 11, PathColour}, {2, 3, 9, Grass},      {3, 7, 9, Grass},
    {7, 9, 11, Grass},      {6, 7, 11, Grass},
};

// ---- 'i': level sharp corner into the right edge; variants 5-8 mirror it ---------

const TilePoint CornerPoints[] = {
    {0, 0, 0, 0},     {5.5, 0, 0, 0}, {8, 0, 0, 0},  {10, 0, 0, 0},  {0, 0, 0, 10},
    {10, 0, 0, 10},   {7.5, 0, 0, 2.5}, {10, 0, 0, 2}, {10, 0, 0, 4.5},
};
const TileTriangle CornerTriangles[] = {
    {0, 1, 6, Grass},      {0, 4, 6, Grass},      {4, 5, 6, Grass},      {5, 6, 8, Grass},
    {1, 2, 6, PathColour}, {2, 6, 7, PathColour}, {6, 7, 8, PathColour}, {2, 3, 7, Grass},
};

// ---- 'l' and 'r': level quarter-circle curves -------------------------------------

const TilePoint LeftCurvePoints[] = {
    {0, 0, 0, 0},     {10, 0, 0, 0},    {0, 0, 0, 10},  {10, 0, 0, 10},  {6, 0, 0, 0},
    {6, 0, 0, 1.5},   {5, 0, 0, 3.5},   {3.5, 0, 0, 5}, {1.5, 0, 0, 6},  {0, 0, 0, 6},
    {4, 0, 0, 0},     {3.8, 0, 0, 1.5}, {3, 0, 0, 3},   {1.5, 0, 0, 3.8}, {0, 0, 0, 4},
};
const TileTriangle LeftCurveTriangles[] = {
    {1, 4, 5, Grass},       {1, 3, 5, Grass},       {3, 5, 6, Grass},        {3, 6, 7, Grass},
    {3, 7, 8, Grass},       {2, 3, 8, Grass},       {2, 8, 9, Grass},        {4, 10, 11, PathColour},
    {4, 5, 11, PathColour}, {5, 11, 12, PathColour}, {5, 6, 12, PathColour}, {6, 7, 12, PathColour},
    {7, 8, 12, PathColour}, {8, 12, 13, PathColour}, {8, 9, 13, PathColour}, {9, 13, 14, PathColour},
    {0, 10, 11, Grass},     {0, 11, 12, Grass},     {0, 12, 13, Grass},      {0, 13, 14, Grass},
};

const TilePoint RightCurvePoints[] = {
    {0, 0, 0, 0},     {10, 0, 0, 0},    {0, 0, 0, 10},  {10, 0, 0, 10},  {4, 0, 0, 0},
    {4, 0, 0, 1.5},   {5, 0, 0, 3.5},   {6.5, 0, 0, 5}, {8.5, 0, 0, 6},  {10, 0, 0, 6},
    {6, 0, 0, 0},     {6.2, 0, 0, 1.5}, {7, 0, 0, 3},   {8.5, 0, 0, 3.8}, {10, 0, 0, 4},
};
const TileTriangle RightCurveTriangles[] = {
    {0, 4, 5, Grass},       {0, 2, 5, Grass},       {2, 5, 6, Grass},        {2, 6, 7, Grass},
    {2, 7, 8, Grass},       {2, 3, 8, Grass},       {3, 8, 9, Grass},        {4, 10, 11, PathColour},
    {4, 5, 11, PathColour}, {5, 11, 12, PathColour}, {5, 6, 12, PathColour}, {6, 7, 12, PathColour},
    {7, 8, 12, PathColour}, {8, 12, 13, PathColour}, {8, 9, 13, PathColour}, {9, 13, 14, PathColour},
    {1, 10, 11, Grass},     {1, 11, 12, Grass},     {1, 12, 13, Grass},      {1, 13, 14, Grass},
};

// ---- 'j': kicker, water ditch and landing, a fixed drop of 2 ----------------------

const TilePoint JumpPoints[] = {
    {0, 0, 0, 0},    {4, 0, 0, 0},    {6, 0, 0, 0},    {10, 0, 0, 0},   {4, 0.5, 0, 2},
    {6, 0.5, 0, 2},  {0, 1, 0, 4},    {4, 1, 0, 4},    {6, 1, 0, 4},    {10, 1, 0, 4},
    {4, 0.5, 0, 4},  {6, 0.5, 0, 4},  {0, 1, 0, 6},    {4, 1, 0, 6},    {6, 1, 0, 6},
    {10, 1, 0, 6},   {0, 2, 0, 10},   {4, 2, 0, 10},   {6, 2, 0, 10},   {10, 2, 0, 10},
};
const TileTriangle JumpTriangles[] = {
    {0, 1, 7, Grass},       {0, 6, 7, Grass},       {2, 3, 8, Grass},         {3, 8, 9, Grass},
    {12, 13, 16, Grass},    {13, 16, 17, Grass},    {14, 15, 19, Grass},      {14, 18, 19, Grass},
    {1, 2, 4, PathColour},  {2, 4, 5, PathColour},  {13, 14, 17, PathColour}, {14, 17, 18, PathColour},
    {6, 9, 12, Water},      {9, 12, 15, Water},     {4, 5, 10, RampWood},     {5, 10, 11, RampWood},
    {4, 7, 10, RampWood},   {5, 8, 11, RampWood},   {7, 8, 10, RampWood},     {8, 10, 11, RampWood},
};
// The straight fence at the jump's fixed heights, second post at w 7.8 to 8.
const TilePoint JumpFencePoints[] = {
    {0.2, 0.5, 0, 2},   {0.2, 0.55, 0, 2.2},  {0.2, -0.3, 0, 2},  {0.2, -0.25, 0, 2.2},
    {0.2, 1.5, 0, 8},   {0.2, 1.45, 0, 7.8},  {0.2, 0.9, 0, 8},   {0.2, 0.85, 0, 7.8},
    {0.2, -0.7, 0, 0},  {0.2, -0.75, 0, 0},   {0.2, 1.3, 0, 10},  {0.2, 1.25, 0, 10},
    {9.8, 0.5, 0, 2},   {9.8, 0.55, 0, 2.2},  {9.8, -0.3, 0, 2},  {9.8, -0.25, 0, 2.2},
    {9.8, 1.5, 0, 8},   {9.8, 1.45, 0, 7.8},  {9.8, 0.9, 0, 8},   {9.8, 0.85, 0, 7.8},
    {9.8, -0.7, 0, 0},  {9.8, -0.75, 0, 0},   {9.8, 1.3, 0, 10},  {9.8, 1.25, 0, 10},
};

// ---- parts, shapes and kinds ------------------------------------------------------

#define PART(points, triangles) {points, COUNT(points), triangles, COUNT(triangles)}

const TilePart StraightFence = PART(StraightFencePoints, StraightFenceTriangles);
const TilePart CornerFence = PART(CornerFencePoints, CornerFenceTriangles);
const TilePart JumpFence = PART(JumpFencePoints, StraightFenceTriangles);
const TilePart Straight = PART(StraightPoints, StraightTriangles);
const TilePart BannerGate = PART(BannerGatePoints, BannerGateTriangles);
const TilePart Ease = PART(EasePoints, EaseTriangles);
const TilePart EaseSecond = PART(EaseSecondPoints, EaseTriangles);
const TilePart Exit = PART(ExitPoints, ExitTriangles);
const TilePart ExitSecond = PART(ExitSecondPoints, ExitTriangles);
const TilePart Bend = PART(BendPoints, BendTriangles);
const TilePart Corner = PART(CornerPoints, CornerTriangles);
const TilePart LeftCurve = PART(LeftCurvePoints, LeftCurveTriangles);
const TilePart RightCurve = PART(RightCurvePoints, RightCurveTriangles);
const TilePart Jump = PART(JumpPoints, JumpTriangles);

const TilePoint EndAhead = {0, 0, 1, 10};        // (0, H, 10): straight on
const TilePoint EndFarRight = {10, 0, 0, 10};    // (10, 0, 10): a right turn
const TilePoint EndAtStart = {0, 0, 0, 0};       // (0, 0, 0): a left turn
const TilePoint EndJump = {0, 2, 0, 10};         // (0, 2, 10): the jump's fixed drop

const TileShape StraightShape = {{{&Straight, false}, {&StraightFence, false}}, 2, EndAhead};
const TileShape BannerGateShape = {
    {{&Straight, false}, {&StraightFence, false}, {&BannerGate, false}}, 3, EndAhead};
const TileShape EaseShape = {{{&Ease, false}, {&StraightFence, false}}, 2, EndAhead};
const TileShape EaseSecondShape = {{{&EaseSecond, false}, {&StraightFence, false}}, 2, EndAhead};
const TileShape ExitShape = {{{&Exit, false}, {&StraightFence, false}}, 2, EndAhead};
const TileShape ExitSecondShape = {{{&ExitSecond, false}, {&StraightFence, false}}, 2, EndAhead};
const TileShape BendShape = {{{&Bend, false}, {&StraightFence, false}}, 2, EndAhead};
const TileShape BendSecondShape = {{{&Bend, true}, {&StraightFence, false}}, 2, EndAhead};
const TileShape CornerShape = {{{&Corner, false}, {&CornerFence, false}}, 2, EndFarRight};
const TileShape CornerSecondShape = {{{&Corner, true}, {&CornerFence, true}}, 2, EndAtStart};
const TileShape LeftCurveShape = {{{&LeftCurve, false}, {&CornerFence, true}}, 2, EndAtStart};
const TileShape RightCurveShape = {{{&RightCurve, false}, {&CornerFence, false}}, 2, EndFarRight};
const TileShape JumpShape = {{{&Jump, false}, {&JumpFence, false}}, 2, EndJump};

// letter, shapes, single frame, ways of the two shapes, second shape mirrored, walls
const TileKind TileKinds[] = {
    {'a', &EaseShape, &EaseSecondShape, false, WayStraight, WayStraight, false, true},
    {'e', &ExitShape, &ExitSecondShape, false, WayStraight, WayStraight, false, true},
    {'g', &StraightShape, nullptr, false, WayStraight, WayStraight, false, true},
    {'i', &CornerShape, &CornerSecondShape, false, WayRight, WayLeft, true, true},
    {'j', &JumpShape, nullptr, false, WayStraight, WayStraight, false, true},
    {'l', &LeftCurveShape, nullptr, false, WayLeft, WayStraight, false, true},
    {'r', &RightCurveShape, nullptr, false, WayRight, WayStraight, false, true},
    {'s', &BendShape, &BendSecondShape, false, WayStraight, WayStraight, true, true},
    {'z', &BannerGateShape, nullptr, true, WayStraight, WayStraight, false, false},
};

}  // namespace

const TileKind* findTileKind(char letter) {
    for (const TileKind& kind : TileKinds)
        if (kind.letter == letter) return &kind;
    return nullptr;
}

const TileShape* tileShapeForVariant(const TileKind& kind, int variant) {
    if (kind.singleFrame) return kind.firstShape;
    if (variant >= 1 && variant <= 4) return kind.firstShape;
    if (variant >= 5 && variant <= 8) return kind.secondShape;
    return nullptr;
}

int tileShapePointCount(const TileShape& shape) {
    int count = 0;
    for (int i = 0; i < shape.partCount; ++i) count += shape.parts[i].part->pointCount;
    return count;
}

int tileShapeTriangleCount(const TileShape& shape) {
    int count = 0;
    for (int i = 0; i < shape.partCount; ++i) count += shape.parts[i].part->triangleCount;
    return count;
}

TileWay tileWayForVariant(const TileKind& kind, int variant) {
    if (variant >= 1 && variant <= 4) return kind.firstWay;
    if (variant >= 5 && variant <= 8 && kind.secondShape) return kind.secondWay;
    return WayStraight;
}

void placeInTile(int heading, float startX, float startZ, float u, float w, float* x, float* z) {
    switch (heading) {
    case 1: *x = startX + u; *z = startZ + w; break;
    case 2: *x = startX - w; *z = startZ + u; break;
    case 3: *x = startX - u; *z = startZ - w; break;
    default: *x = startX + w; *z = startZ - u; break;
    }
}
