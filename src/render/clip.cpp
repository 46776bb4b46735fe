// Clip codes and the five clipping stages of a tile triangle.
#include "render/clip.h"

Vector3 ClipPlanes[6];

namespace {

// 10 * k: the height of the top and bottom plane triangles at z = 10.
constexpr float ClipSlopeAt10 = 6.68179f;

Vector3 unitNormal(const Point3& p0, const Point3& p1, const Point3& p2) {
    Vector3 n = Triangle3(p0, p1, p2).normal();
    n.normalize();
    return n;
}

// One clipping stage: the plane, the code bit of its outside, and the bits that are
// still of interest after it (the planes not yet clipped, and the far limit).
struct ClipStage {
    ClipPlaneIndex plane;
    int32_t outsideBit;
    int32_t laterBits;
};

constexpr int32_t SideBits = ClipLeft | ClipRight | ClipTop | ClipBottom;

// Near first (on z - 2), then right, left, top and bottom.
constexpr ClipStage Stages[] = {
    {PlaneNear, ClipNear, SideBits | ClipFar},
    {PlaneRight, ClipRight, ClipLeft | ClipTop | ClipBottom | ClipFar},
    {PlaneLeft, ClipLeft, ClipTop | ClipBottom | ClipFar},
    {PlaneTop, ClipTop, ClipBottom | ClipFar},
    {PlaneBottom, ClipBottom, ClipFar},
};
constexpr int StageCount = sizeof Stages / sizeof Stages[0];

void emitCorner(ClipPolygon& out, const Point3& p, int32_t code, float zShift) {
    if (out.count >= ClipPolygonMax) return;
    Point3& v = out.vertex[out.count];
    v = p;
    if (zShift != 0.0f) v.z = v.z + zShift;
    out.code[out.count] = code;
    ++out.count;
}

// The point where the edge crosses the stage's plane, parametrised from the outside
// vertex toward the inside one; its code is computed afresh for the later planes.
void emitIntersection(ClipPolygon& out, const Point3& outside, const Point3& inside,
                      const ClipStage& stage, float zShift) {
    if (out.count >= ClipPolygonMax) return;
    const Vector3& n = ClipPlanes[stage.plane];
    const Vector3 d = inside - outside;
    const float t = -n.dot(outside) / n.dot(d);
    Point3& v = out.vertex[out.count];
    v = outside + d * t;
    if (zShift != 0.0f) v.z = v.z + zShift;
    out.code[out.count] = clipCodeOf(v) & stage.laterBits;
    ++out.count;
}

void runStage(const ClipPolygon& in, ClipPolygon& out, const ClipStage& stage, float zShift) {
    out.count = 0;
    for (int i = 0; i < in.count; ++i) {
        const int j = (i + 1) % in.count;
        const bool startOut = (in.code[i] & stage.outsideBit) != 0;
        const bool endOut = (in.code[j] & stage.outsideBit) != 0;
        if (startOut && !endOut) {
            emitIntersection(out, in.vertex[i], in.vertex[j], stage, zShift);
        } else if (!startOut && endOut) {
            emitCorner(out, in.vertex[i], in.code[i], zShift);
            emitIntersection(out, in.vertex[j], in.vertex[i], stage, zShift);
        } else if (!startOut) {
            emitCorner(out, in.vertex[i], in.code[i], zShift);
        }
    }
}

enum StageResult { Rejected, Accepted, GoOn };

StageResult testPolygon(const ClipPolygon& p, int32_t bits) {
    if (p.count == 0) return Rejected;
    int32_t all = bits, any = 0;
    for (int i = 0; i < p.count; ++i) {
        all &= p.code[i];
        any |= p.code[i] & bits;
    }
    if (all != 0) return Rejected;
    if (any == 0) return Accepted;
    return GoOn;
}

}  // namespace

void buildClipPlanes() {
    ClipPlanes[PlaneLeft] = unitNormal(Point3(0, 0, 0), Point3(-10, 0, 10), Point3(-10, 10, 10));
    ClipPlanes[PlaneRight] = unitNormal(Point3(0, 0, 0), Point3(10, 0, 10), Point3(10, 10, 10));
    ClipPlanes[PlaneTop] = unitNormal(Point3(0, 0, 0), Point3(0, -ClipSlopeAt10, 10),
                                      Point3(10, -ClipSlopeAt10, 10));
    ClipPlanes[PlaneBottom] = unitNormal(Point3(0, 0, 0), Point3(0, ClipSlopeAt10, 10),
                                         Point3(10, ClipSlopeAt10, 10));
    ClipPlanes[PlaneNear] = unitNormal(Point3(0, 0, 2), Point3(10, 0, 2), Point3(0, 10, 2));
    ClipPlanes[PlaneFar] = unitNormal(Point3(0, 0, 20), Point3(10, 0, 20), Point3(0, 10, 20));
}

int32_t clipCodeOf(const Tuple4& p) {
    int32_t code = 0;
    if (-p.x > p.z) code |= ClipLeft;
    if (p.x > p.z) code |= ClipRight;
    const float limit = p.z * ClipSlope;
    if (-p.y > limit) code |= ClipTop;
    if (p.y > limit) code |= ClipBottom;
    if (p.z < ClipNearZ) code |= ClipNear;
    if (p.z > ClipFarZ) code |= ClipFar;
    return code;
}

bool clipTriangle(const Point3& a, int32_t ca, const Point3& b, int32_t cb, const Point3& c,
                  int32_t cc, ClipPolygon* out) {
    // The near stage works on z - 2 so that its plane passes through the origin; every
    // vertex it emits gets the 2 back.
    ClipPolygon buffers[2];
    ClipPolygon& first = buffers[0];
    first.count = 3;
    const Point3* corners[3] = {&a, &b, &c};
    const int32_t codes[3] = {ca, cb, cc};
    for (int i = 0; i < 3; ++i) {
        first.vertex[i] = *corners[i];
        first.vertex[i].z = first.vertex[i].z - ClipNearZ;
        first.code[i] = codes[i];
    }
    int source = 0;
    for (int s = 0; s < StageCount; ++s) {
        const ClipStage& stage = Stages[s];
        ClipPolygon& result = buffers[1 - source];
        runStage(buffers[source], result, stage, s == 0 ? ClipNearZ : 0.0f);
        source = 1 - source;
        if (s == StageCount - 1) break;  // after the bottom stage the polygon is taken
        const StageResult verdict = testPolygon(result, stage.laterBits);
        if (verdict == Rejected) return false;
        if (verdict == Accepted) break;
    }
    *out = buffers[source];
    return out->count > 0;
}
