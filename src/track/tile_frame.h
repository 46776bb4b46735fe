// How the ride and the segment window measure a tile: its start corner and the heading
// it is travelled in.
#pragma once

#include "track/segment_mesh.h"

// The corner at the left end of the tile's start edge. The mirrored shapes of the
// sharp corner and the S-bend keep it in point 3; every other tile in point 0.
inline const Point3& tileStartCorner(const SegmentMesh& mesh) {
    const bool mirrored = (mesh.kind == 'i' || mesh.kind == 's') && mesh.variant >= 5 &&
                          mesh.variant <= 8;
    return mesh.points[mirrored ? 3 : 0];
}

// The heading: variant mod 4 with the sign of the variant (1 +z, 2 -x, 3 -z, 0 +x);
// a negative result means the tile has no heading the ride can use.
inline int travelHeading(const SegmentMesh& mesh) { return mesh.variant % 4; }

// Variants 1 to 8 are the laid-out tiles; the ride places and lifts the eye only there.
inline bool tileHasLayout(const SegmentMesh& mesh) {
    return mesh.variant >= 1 && mesh.variant <= 8;
}
