// The rotation steps that turn the eye: the yaw of one steering call and the pitch
// applied once when the rider rolls onto a tile of another slope class.
#pragma once

#include "base/math3d.h"

// Yaw and pitch rotations applied in the current ride step; identity between steps.
extern Matrix4 SteerStep;
extern Matrix4 PitchStep;

// A rotation step given by its cosine and sine.
struct RotationStep {
    float cosine;
    float sine;
};

// Steering: 2 degrees per call; Left turns with +sine, Right with -sine.
extern const RotationStep SteerLeftStep;
extern const RotationStep SteerRightStep;

// Slope classes the camera can be pitched for.
enum { SlopeClassCount = 4 };

// The pitch step from the class the camera is pitched for to the class of a tile.
// Writes the step and answers true, or answers false where the classes agree (or
// either lies outside 0 to 3).
bool pitchStepBetween(int fromClass, int toClass, RotationStep* step);

// Identity with (0,0) = (2,2) = cosine, (0,2) = -sine, (2,0) = sine.
Matrix4 yawMatrix(const RotationStep& step);
// Identity with (1,1) = (2,2) = cosine, (1,2) = sine, (2,1) = -sine.
Matrix4 pitchMatrix(const RotationStep& step);
