// What leaving the track costs: damage to the rider and the bike, the outcome flag of
// the run, and the rider put back in the middle of the tile.
#pragma once

#include "track/segment_mesh.h"

// The off-track event on the given tile, in its order: health damage, bike damage, the
// cursor wrap, the crash flag, the stop, the pitch for the tile's slope and the respawn.
void offTrackEvent(const SegmentMesh& mesh);

// The damage of one DamageTable entry at the current speed, truncated toward zero;
// advances the damage cursor by one.
int drawDamage();

// Sets CameraMatrix to the pose in the middle of the tile, facing along its heading,
// 1 unit above the ground there, pitched by PitchStep. Tiles outside variants 1 to 8
// leave the camera where it is.
void placeRiderOnTile(const SegmentMesh& mesh);
