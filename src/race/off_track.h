// The off-track test: whether the eye is over the ridable part of its tile.
#pragma once

#include "track/segment_mesh.h"

enum TrackTestResult {
    OffTheTrack = 0,
    OnTheTrack = 1,
    NotTested = -1,  // the tile's kind or variant has no walls to leave by
};

// Tests the ground position (x, z) against the walls of the tile: the two sides of
// a straight, the two walls a turn does not cross (its entry and exit sides are open).
// The bounds count as on the track.
TrackTestResult testTrackPosition(const SegmentMesh& mesh, float x, float z);

// Sets the off-track flag from the rider's position on the tile; a tile without a
// test leaves the flag as it was.
void updateOffTrack(const SegmentMesh& mesh);
