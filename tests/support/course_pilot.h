// A pilot around the shipped course, shared by the replay rides and the gamepad ride:
// from the state the last iteration left, which ride keys to hold in the next one.
#pragma once

#include <cmath>

#include "base/game_state.h"
#include "render/camera.h"
#include "render/segment_window.h"
#include "track/tile_catalogue.h"
#include "track/tile_frame.h"

// What the rider does in one iteration, from the state the previous one left.
struct Controls {
    bool up, alt, ctrl, left, right;
};

// Around the whole course: aim 3 units into the next tile, at the middle of its entry
// edge, at a speed the 2-degree steering can follow through the corners.
inline Controls followTheCourse(int = 0) {
    Controls c{GameState.speed < 0.11f, GameState.speed > 0.14f, false, false, false};
    if (!SegmentWindow.next.filled) return c;
    const SegmentMesh& next = SegmentWindow.next.mesh;
    const Point3& start = tileStartCorner(next);
    const int frame = next.kind == 'z' ? 1 : next.variant;  // the gate is laid out along +z
    float sideX, sideZ, aheadX, aheadZ;
    placeInTile(tileHeading(frame), 0.0f, 0.0f, 1.0f, 0.0f, &sideX, &sideZ);
    placeInTile(tileHeading(frame), 0.0f, 0.0f, 0.0f, 1.0f, &aheadX, &aheadZ);
    const float aimX = start.x + 5 * sideX + 3 * aheadX;
    const float aimZ = start.z + 5 * sideZ + 3 * aheadZ;
    const double dx = aimX - RiderPosition.x, dz = aimZ - RiderPosition.z;
    const double fx = CameraMatrix(0, 2), fz = CameraMatrix(2, 2);
    const double norm = std::sqrt((dx * dx + dz * dz) * (fx * fx + fz * fz));
    const double sine = (fx * dz - fz * dx) / norm;  // > 0: the aim lies to the left
    const double cosine = (fx * dx + fz * dz) / norm;
    const double tolerance = std::sin(1.5 * 3.14159265358979 / 180);
    c.left = sine > tolerance || (cosine < 0 && sine >= 0);
    c.right = sine < -tolerance || (cosine < 0 && sine < 0);
    return c;
}

