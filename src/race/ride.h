// The rider is a camera: the eye's pose in the world and the ride step that moves it
// once per main-loop iteration while a run is in progress.
#pragma once

#include "base/math3d.h"
#include "race/camera_steps.h"
#include "render/camera.h"

// The start pose: the eye at (15, -1, 7.6) looking along +z, 2.4 units before the
// first tile's start edge. Speed, acceleration and pitch class are not touched.
void resetRiderPose();

// One step of the ride (the logic callback): keys, speed, steering and pitch, the move,
// the off-track test, the eye height on sloped tiles. Does nothing while not racing.
void gameLogic();
