// How the ride and the segment window measure a tile: its start corner and the heading
// it is travelled in.
#pragma once

#include "track/segment_mesh.h"
#include "track/tile_catalogue.h"

// The corner at the left end of the tile's start edge. Mirrored second shapes keep it
// in point 3; every other tile in point 0.
inline const Point3& tileStartCorner(const SegmentMesh& mesh) {
    const TileKind* kind = findTileKind(mesh.kind);
    const bool mirrored = kind && kind->secondMirrored && mesh.variant >= 5 && mesh.variant <= 8;
    return mesh.points[mirrored ? 3 : 0];
}

// The heading the tile is travelled in; a negative result means the tile has no heading
// the ride can use.
inline int travelHeading(const SegmentMesh& mesh) { return variantHeading(mesh.variant); }

// Variants 1 to 8 are the laid-out tiles; the ride places and lifts the eye only there.
inline bool tileHasLayout(const SegmentMesh& mesh) {
    return mesh.variant >= 1 && mesh.variant <= 8;
}
