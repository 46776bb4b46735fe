// The eye the race view is drawn from. The ride moves it; the pipeline and the segment
// window only read it.
#pragma once

#include "base/math3d.h"

// World-to-eye transform; rows 0 to 2 the eye's orientation, row 3 its translation.
extern Matrix4 CameraMatrix;
// Eye-to-world transform; row 3 is the eye position.
extern Matrix4 CameraInverse;
// The eye position in world coordinates (y grows downward).
extern Point3 RiderPosition;
