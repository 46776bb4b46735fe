#include "race/camera_steps.h"

Matrix4 SteerStep;
Matrix4 PitchStep;

const RotationStep SteerLeftStep = {0.99939f, 0.0349f};
const RotationStep SteerRightStep = {0.99939f, -0.0349f};

namespace {

// Pitch steps (cosine, sine) from the pitched class (rows) to the tile's class
// (columns); tangents 0.1, 0.2 and 0.3 per class of difference. A zero cosine marks
// "no step".
const RotationStep PitchTable[SlopeClassCount][SlopeClassCount] = {
    {{0, 0}, {0.995f, 0.0995f}, {0.98f, 0.196f}, {0.958f, 0.287f}},
    {{0.995f, -0.0995f}, {0, 0}, {0.995f, 0.0995f}, {0.98f, 0.196f}},
    {{0.98f, -0.196f}, {0.995f, -0.0995f}, {0, 0}, {0.995f, 0.0995f}},
    {{0.958f, -0.287f}, {0.98f, -0.196f}, {0.995f, -0.0995f}, {0, 0}},
};

bool isSlopeClass(int c) { return c >= 0 && c < SlopeClassCount; }

}  // namespace

bool pitchStepBetween(int fromClass, int toClass, RotationStep* step) {
    if (!isSlopeClass(fromClass) || !isSlopeClass(toClass)) return false;
    const RotationStep& entry = PitchTable[fromClass][toClass];
    if (entry.cosine == 0.0f) return false;
    *step = entry;
    return true;
}

Matrix4 yawMatrix(const RotationStep& step) {
    Matrix4 m = IdentityMatrix;
    m(0, 0) = step.cosine;
    m(2, 2) = step.cosine;
    m(0, 2) = -step.sine;
    m(2, 0) = step.sine;
    return m;
}

Matrix4 pitchMatrix(const RotationStep& step) {
    Matrix4 m = IdentityMatrix;
    m(1, 1) = step.cosine;
    m(2, 2) = step.cosine;
    m(1, 2) = step.sine;
    m(2, 1) = -step.sine;
    return m;
}
