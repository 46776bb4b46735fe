#include "race/off_track.h"

#include "base/game_state.h"
#include "render/camera.h"
#include "track/tile_frame.h"

namespace {

// Margins of the ridable part on a 10-unit tile.
const float NearMargin = 0.3f;
const float FarMargin = 9.7f;

// A wall: one world axis held between two bounds measured from the start corner.
// Each bound is start + offset, or absent.
enum Axis { AxisX, AxisZ };

struct Wall {
    int axis;
    bool hasLow;
    float lowOffset;
    bool hasHigh;
    float highOffset;
};

// The two walls of one tile layout (a straight uses one wall with both bounds).
struct WallPair {
    Wall first;
    Wall second;
    int count;
};

// Straights by heading (index = heading 0 to 3): the rider stays between the side walls.
const WallPair StraightWalls[4] = {
    {{AxisZ, true, -FarMargin, true, -NearMargin}, {}, 1},  // 0: +x
    {{AxisX, true, NearMargin, true, FarMargin}, {}, 1},    // 1: +z
    {{AxisZ, true, NearMargin, true, FarMargin}, {}, 1},    // 2: -x
    {{AxisX, true, -FarMargin, true, -NearMargin}, {}, 1},  // 3: -z
};

// Right turns by variant 1 to 4 (index = variant - 1): the outer side wall and the far wall.
const WallPair RightTurnWalls[4] = {
    {{AxisX, true, NearMargin, false, 0}, {AxisZ, false, 0, true, FarMargin}, 2},
    {{AxisZ, true, NearMargin, false, 0}, {AxisX, true, -FarMargin, false, 0}, 2},
    {{AxisX, false, 0, true, -NearMargin}, {AxisZ, true, -FarMargin, false, 0}, 2},
    {{AxisZ, false, 0, true, -NearMargin}, {AxisX, false, 0, true, FarMargin}, 2},
};

// Left turns by variant 1 to 4: the outer side wall and the far wall.
const WallPair LeftTurnWalls[4] = {
    {{AxisX, false, 0, true, FarMargin}, {AxisZ, false, 0, true, FarMargin}, 2},
    {{AxisZ, false, 0, true, FarMargin}, {AxisX, true, -FarMargin, false, 0}, 2},
    {{AxisX, true, -FarMargin, false, 0}, {AxisZ, true, -FarMargin, false, 0}, 2},
    {{AxisZ, true, -FarMargin, false, 0}, {AxisX, false, 0, true, FarMargin}, 2},
};

bool insideWall(const Wall& wall, const Point3& start, float x, float z) {
    const float value = wall.axis == AxisX ? x : z;
    const float origin = wall.axis == AxisX ? start.x : start.z;
    if (wall.hasLow && !(origin + wall.lowOffset <= value)) return false;
    if (wall.hasHigh && !(value <= origin + wall.highOffset)) return false;
    return true;
}

bool insideWalls(const WallPair& walls, const Point3& start, float x, float z) {
    if (!insideWall(walls.first, start, x, z)) return false;
    return walls.count < 2 || insideWall(walls.second, start, x, z);
}

// The wall layout of the tile, or null when it has none.
// Straight kinds have side walls in every variant with a heading; a turn has the walls
// of the way its shape turns, in variants 1 to 8.
const WallPair* wallsOf(const SegmentMesh& mesh) {
    const TileKind* kind = findTileKind(mesh.kind);
    if (!kind || !kind->walled) return nullptr;
    if (isStraightKind(*kind)) {
        const int heading = travelHeading(mesh);
        return heading >= 0 ? &StraightWalls[heading] : nullptr;
    }
    const int v = mesh.variant;
    if (v < 1 || v > 8) return nullptr;
    const int layout = (v - 1) % 4;
    switch (tileWayForVariant(*kind, v)) {
    case WayRight: return &RightTurnWalls[layout];
    case WayLeft: return &LeftTurnWalls[layout];
    default: return nullptr;
    }
}

}  // namespace

TrackTestResult testTrackPosition(const SegmentMesh& mesh, float x, float z) {
    const WallPair* walls = wallsOf(mesh);
    if (!walls) return NotTested;
    return insideWalls(*walls, tileStartCorner(mesh), x, z) ? OnTheTrack : OffTheTrack;
}

void updateOffTrack(const SegmentMesh& mesh) {
    const TrackTestResult result = testTrackPosition(mesh, RiderPosition.x, RiderPosition.z);
    if (result != NotTested) GameState.offTrack = result == OnTheTrack ? 0 : 1;
}
