// Shared set-up for the ride tests: a clean game state, the start pose, a rider with
// full health, no key held, and hand-made tiles in the segment window.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "base/game_state.h"
#include "base/scan_codes.h"
#include "framework/framework.h"
#include "platform/headless.h"
#include "profile/rider_profile.h"
#include "race/damage_table.h"
#include "race/ride.h"
#include "render/segment_window.h"
#include "track/segment_mesh.h"
#include "track/tile_catalogue.h"

namespace ride_test {

enum Scan { Up = ScanUp, Ctrl = ScanCtrl, Left = ScanLeft, Right = ScanRight, Alt = ScanAlt };

// The world offset of local tile coordinates (u across, f forward) by heading.
inline void tileOffset(int variant, float u, float f, float* dx, float* dz) {
    placeInTile(tileHeading(variant), 0.0f, 0.0f, u, f, dx, dz);
}

// A tile with only what the ride reads: kind, variant, slope and the start corner,
// stored where the catalogue stores it (point 3 for the mirrored 'i' and 's' shapes,
// whose point 0 is then the far corner of the start edge).
inline SegmentMesh makeTile(char kind, int variant, int slope, float x, float y, float z) {
    SegmentMesh mesh;
    mesh.kind = kind;
    mesh.variant = variant;
    mesh.slope = slope;
    mesh.pointCount = 4;
    const Point3 start(x, y, z, 1.0f);
    for (int i = 0; i < 4; ++i) mesh.points[i] = start;
    if ((kind == 'i' || kind == 's') && variant >= 5 && variant <= 8) {
        float dx, dz;
        tileOffset(variant, 10.0f, 0.0f, &dx, &dz);
        mesh.points[0] = Point3(x + dx, y, z + dz, 1.0f);
    }
    return mesh;
}

inline void pressKey(int scan) {
    headlessQueueKey(scan, 1);
    dispatchEvents();
}

inline void releaseKey(int scan) {
    headlessQueueKey(scan, 0);
    dispatchEvents();
}

inline void releaseRideKeys() {
    for (int scan : {Up, Ctrl, Left, Right, Alt})
        if (isKeyDown(scan)) releaseKey(scan);
}

// The camera with a level orientation (looking along +z) and its eye at (x, y, z).
inline void placeEye(float x, float y, float z) {
    CameraMatrix = IdentityMatrix;
    CameraMatrix(3, 0) = -x;
    CameraMatrix(3, 1) = -y;
    CameraMatrix(3, 2) = -z;
    RiderPosition = Point3(x, y, z, 1.0f);
}

// Heading of the eye in degrees, turning left from +z towards -x.
inline double headingDegrees() {
    return std::atan2(-double(CameraMatrix(0, 2)), double(CameraMatrix(2, 2))) * 180.0 /
           3.14159265358979323846;
}

// The eye position as the camera places it: row 3 of its inverse.
inline Point3 eyeOfCamera() {
    const Matrix4 inverse = CameraMatrix.inverse();
    return Point3(inverse(3, 0), inverse(3, 1), inverse(3, 2), 1.0f);
}

class RideTest : public ::testing::Test {
protected:
    void SetUp() override {
        releaseRideKeys();
        resetGameState();
        resetRiderPose();
        resetRider();
        resetSegmentWindow();
        for (int32_t& entry : DamageTable) entry = 0;
        GameState.racing = 1;
    }
    void TearDown() override { releaseRideKeys(); }

    void rideOn(const SegmentMesh& mesh) { SegmentWindow.current.mesh = mesh; }

    void ride(int calls) {
        for (int i = 0; i < calls; ++i) gameLogic();
    }
};

}  // namespace ride_test
