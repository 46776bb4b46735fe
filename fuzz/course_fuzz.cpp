// The course loader on any bytes as "track.tbk"; the course it builds is then ridden the
// way the race does it, drawing only once: the race's first frame from the start pose,
// a few ride steps on the first tile, then the segment window walked over the whole
// course as race frames move it, without drawing. A frame costs as much as loading and
// walking a long course, so only the first is drawn; fuzz-course_frames draws a frame
// on every tile. The textures and palette are the generated ones; the handlebar, the
// same picture on every frame whatever the course, is left out.
#include <algorithm>
#include <iterator>

#include "course_race.h"

namespace {

constexpr int StartSteps = 3;
constexpr float StartSpeed = 0.4f;

// The first frame shows the first three tiles of the course, or the next three when it
// slides the window on, from the fixed start pose: the meshes and objects of the first
// four listed tiles decide the picture. Most inputs the fuzzer makes build those four
// tiles as an earlier input did (they change a later line, a number the tile rounds
// away, or a line the loader skips), so a frame already drawn for the same four tiles
// is not drawn again (the window still moves as the frame would move it). A
// direct-mapped table of keys; a collision only draws once more.
constexpr int DrawnFrameSlots = 1 << 16;
constexpr int FrameTiles = 4;
uint64_t DrawnFrames[DrawnFrameSlots];

// FNV-1a over the bytes of a record's parts; the hashing carries no coverage callbacks.
__attribute__((no_sanitize("coverage"))) uint64_t mixBytes(uint64_t key, const void* bytes,
                                                           size_t size) {
    const uint8_t* b = static_cast<const uint8_t*>(bytes);
    for (size_t i = 0; i < size; ++i) key = (key ^ b[i]) * 1099511628211ull;
    return key;
}

__attribute__((no_sanitize("coverage"))) uint64_t mixPoints(uint64_t key, const Point3* points,
                                                            int count) {
    for (int i = 0; i < count; ++i) {
        const float xyzw[4] = {points[i].x, points[i].y, points[i].z, points[i].w};
        key = mixBytes(key, xyzw, sizeof xyzw);
    }
    return key;
}

// A record's count of entries in use, held to its array.
__attribute__((no_sanitize("coverage"))) int inUse(int32_t count, size_t capacity) {
    return std::clamp(int(count), 0, int(capacity));
}

// What drawing reads of a tile: its kind, variant and slope, and the points and
// triangles in use.
__attribute__((no_sanitize("coverage"))) uint64_t mixMesh(uint64_t key,
                                                          const SegmentMesh& mesh) {
    const int32_t head[5] = {mesh.kind, mesh.variant, mesh.slope, mesh.pointCount,
                             mesh.polygonCount};
    key = mixBytes(key, head, sizeof head);
    key = mixPoints(key, mesh.points, inUse(mesh.pointCount, std::size(mesh.points)));
    return mixBytes(key, mesh.polygons,
                    sizeof(MeshPolygon) * inUse(mesh.polygonCount, std::size(mesh.polygons)));
}

__attribute__((no_sanitize("coverage"))) uint64_t mixObjects(uint64_t key,
                                                             const SegmentObjects& objects) {
    key = mixBytes(key, &objects.objectCount, sizeof objects.objectCount);
    for (const ObjectSlot& slot : objects.slots) {
        const int32_t head[3] = {slot.kind, slot.pointCount, slot.polygonCount};
        key = mixBytes(key, head, sizeof head);
        key = mixPoints(key, slot.points, inUse(slot.pointCount, std::size(slot.points)));
        key = mixBytes(key, slot.polygons,
                       sizeof(MeshPolygon) * inUse(slot.polygonCount, std::size(slot.polygons)));
    }
    return key;
}

__attribute__((no_sanitize("coverage"))) bool frameDrawnBefore() {
    uint64_t key = 14695981039346656037ull;
    const int32_t tiles[2] = {std::min(TrackMeshes.count(), FrameTiles),
                              std::min(TrackObjects.count(), FrameTiles)};
    key = mixBytes(key, tiles, sizeof tiles);
    int n = 0;
    TrackMeshes.forEach([&](const SegmentMesh& mesh) {
        if (n++ < FrameTiles) key = mixMesh(key, mesh);
    });
    n = 0;
    TrackObjects.forEach([&](const SegmentObjects& objects) {
        if (n++ < FrameTiles) key = mixObjects(key, objects);
    });
    key |= 1;  // 0 marks an empty slot
    uint64_t& slot = DrawnFrames[key % DrawnFrameSlots];
    if (slot == key) return true;
    slot = key;
    return false;
}

// The first race frame fills all three window slots from a course of one tile or more,
// so the last run's window needs emptying (three 16 kB slots) only before an empty one.
void emptyWindowIfNoCourse() {
    windowFillPending = 1;
    if (TrackMeshes.count() == 0) resetSegmentWindow();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* course = startCourseRun(data, size);
    loadTrackFile(course);
    emptyWindowIfNoCourse();
    GameState.racing = 1;
    GameState.speed = StartSpeed;
    if (frameDrawnBefore())
        advanceRaceFrame();
    else
        raceFrame();
    for (int i = 0; i < StartSteps; ++i) gameLogic();
    const int steps = GameState.segmentCount + 3;
    for (int i = 0; i < steps && stepIntoNext(); ++i) advanceRaceFrame();
    clearTrackLists();
    return 0;
}
