// The rider is a camera: the eye's pose in the world and the ride step that moves it
// once per main-loop iteration while a run is in progress.
#pragma once

#include "render/math3d.h"

// World-to-eye transform; rows 0 to 2 the eye's orientation, row 3 its translation.
extern Matrix4 CameraMatrix;
// Eye-to-world transform; row 3 is the eye position.
extern Matrix4 CameraInverse;
// Yaw and pitch rotations applied in the current ride step; identity between steps.
extern Matrix4 SteerStep;
extern Matrix4 PitchStep;
// The eye position in world coordinates (y grows downward).
extern Point3 RiderPosition;

// The start pose: the eye at (15, -1, 7.6) looking along +z, 2.4 units before the
// first tile's start edge. Speed, acceleration and pitch class are not touched.
void resetRiderPose();

// One step of the ride (the logic callback): keys, speed, steering and pitch, the move,
// the off-track test, the eye height on sloped tiles. Does nothing while not racing.
void gameLogic();
