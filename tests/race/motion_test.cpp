// The ride step: speed from keys and slopes, steering, pitch at slope changes, the eye
// height over sloped tiles.
#include <cstring>

#include "race/camera_steps.h"
#include "ride_fixture.h"

using namespace ride_test;

namespace {

class Motion : public RideTest {};

TEST_F(Motion, StartPoseLooksAlongZBeforeTheCourse) {
    EXPECT_FLOAT_EQ(CameraMatrix(3, 0), -15.0f);
    EXPECT_FLOAT_EQ(CameraMatrix(3, 1), 1.0f);
    EXPECT_FLOAT_EQ(CameraMatrix(3, 2), -7.6f);
    EXPECT_FLOAT_EQ(CameraMatrix(2, 2), 1.0f);
    EXPECT_FLOAT_EQ(RiderPosition.x, 15.0f);
    EXPECT_FLOAT_EQ(RiderPosition.y, -1.0f);
    EXPECT_FLOAT_EQ(RiderPosition.z, 7.6f);
    EXPECT_EQ(SteerStep(0, 0), 1.0f);
    EXPECT_EQ(PitchStep(1, 1), 1.0f);
}

TEST_F(Motion, UpPushesFromRestAndNothingSlowsTheRider) {
    rideOn(makeTile('g', 1, 0, 10, 0, 10));
    pressKey(Up);
    for (int n = 1; n <= 20; ++n) {
        gameLogic();
        EXPECT_NEAR(GameState.speed, 0.01 * n, 1e-5) << "after " << n << " calls";
        EXPECT_EQ(GameState.acceleration, 0.0f);
    }
    releaseKey(Up);
    const float cruising = GameState.speed;
    const float zBefore = RiderPosition.z;
    ride(10);
    EXPECT_EQ(GameState.speed, cruising);
    EXPECT_NEAR(RiderPosition.z, zBefore + 10 * cruising, 1e-4);
    EXPECT_FLOAT_EQ(RiderPosition.x, 15.0f);
    EXPECT_EQ(GameState.offTrack, 0);
}

TEST_F(Motion, SlopesPushByTheirClass) {
    const float push[4] = {0.0f, 0.001f, 0.00125f, 0.0025f};
    for (int slope = 0; slope <= 4; ++slope) {
        SetUp();
        rideOn(makeTile('g', 1, slope, 10, 0, 10));
        const float expected = slope <= 3 ? push[slope] : 0.0f;
        ride(4);
        EXPECT_NEAR(GameState.speed, 4 * expected, 1e-7) << "slope " << slope;
        pressKey(Up);
        const float before = GameState.speed;
        gameLogic();
        releaseKey(Up);
        EXPECT_NEAR(GameState.speed - before, 0.01f + expected, 1e-6) << "slope " << slope;
    }
}

TEST_F(Motion, BrakesStopAtRestAndLaterKeysWin) {
    rideOn(makeTile('g', 1, 0, 10, 0, 10));
    GameState.speed = 0.03f;
    pressKey(Ctrl);
    gameLogic();
    EXPECT_EQ(GameState.speed, 0.0f);
    gameLogic();
    EXPECT_EQ(GameState.speed, 0.0f);
    releaseKey(Ctrl);

    GameState.speed = 0.05f;
    pressKey(Alt);
    gameLogic();
    EXPECT_FLOAT_EQ(GameState.speed, 0.04f);
    pressKey(Up);  // Alt is tested after Up and overrides it
    gameLogic();
    EXPECT_FLOAT_EQ(GameState.speed, 0.03f);
    releaseKey(Alt);
    pressKey(Ctrl);  // Ctrl after Up: the hard brake
    GameState.speed = 0.2f;
    gameLogic();
    EXPECT_FLOAT_EQ(GameState.speed, 0.15f);
}

TEST_F(Motion, SpeedHasNoUpperLimit) {
    rideOn(makeTile('z', 1, 0, 10, 0, 10));  // a tile without walls: no event
    GameState.speed = 1000.0f;
    pressKey(Up);
    gameLogic();
    EXPECT_FLOAT_EQ(GameState.speed, 1000.01f);
}

TEST_F(Motion, LeftTurnsNinetyDegreesIn45CallsOrAbout23WithAlt) {
    rideOn(makeTile('g', 1, 0, 10, 0, 10));
    pressKey(Left);
    ride(45);
    EXPECT_NEAR(headingDegrees(), 90.0, 0.5);

    SetUp();
    rideOn(makeTile('g', 1, 0, 10, 0, 10));
    pressKey(Left);
    pressKey(Alt);
    ride(22);
    EXPECT_LT(headingDegrees(), 90.0);
    gameLogic();
    EXPECT_GT(headingDegrees(), 90.0);
    EXPECT_NEAR(headingDegrees(), 92.0, 0.5);
    EXPECT_EQ(GameState.speed, 0.0f);
}

TEST_F(Motion, RightTurnsTheOtherWayAndWinsOverLeft) {
    rideOn(makeTile('g', 1, 0, 10, 0, 10));
    pressKey(Right);
    ride(5);
    const Matrix4 rightAlone = CameraMatrix;
    EXPECT_NEAR(headingDegrees(), -10.0, 0.1);

    SetUp();
    rideOn(makeTile('g', 1, 0, 10, 0, 10));
    pressKey(Left);
    pressKey(Right);
    ride(5);
    EXPECT_EQ(std::memcmp(CameraMatrix.m, rightAlone.m, sizeof rightAlone.m), 0);
}

TEST_F(Motion, AltAloneDoesNotTurn) {
    rideOn(makeTile('g', 1, 0, 10, 0, 10));
    pressKey(Alt);
    ride(10);
    EXPECT_EQ(headingDegrees(), 0.0);
    EXPECT_EQ(SteerStep(0, 0), 1.0f);
}

TEST_F(Motion, RidingFromFlatOntoSlopeTwoPitchesOnce) {
    rideOn(makeTile('g', 1, 2, 10, 0, 10));
    gameLogic();
    EXPECT_EQ(GameState.pitchState, 2);
    EXPECT_NEAR(CameraMatrix(1, 1), 0.98f, 1e-5);
    EXPECT_NEAR(CameraMatrix(2, 2), 0.98f, 1e-5);
    EXPECT_NEAR(CameraMatrix(1, 2), 0.196f, 1e-5);
    EXPECT_NEAR(CameraMatrix(2, 1), -0.196f, 1e-5);
    EXPECT_EQ(PitchStep(1, 2), 0.0f);  // back to the identity between calls
    const Matrix4 pitched = CameraMatrix;
    ride(5);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(CameraMatrix(r, c), pitched(r, c), 1e-5);
}

TEST_F(Motion, PitchStepsFollowTheTableBothWays) {
    GameState.pitchState = 3;
    rideOn(makeTile('g', 1, 2, 10, 0, 10));
    gameLogic();
    EXPECT_EQ(GameState.pitchState, 2);
    EXPECT_NEAR(CameraMatrix(1, 1), 0.995f, 1e-5);
    EXPECT_NEAR(CameraMatrix(1, 2), -0.0995f, 1e-5);

    // Down to the flat again from 2 undoes the step from 0 to 2 (up to its scale).
    SetUp();
    rideOn(makeTile('g', 1, 2, 10, 0, 10));
    gameLogic();
    rideOn(makeTile('g', 1, 0, 10, 0, 20));
    gameLogic();
    EXPECT_EQ(GameState.pitchState, 0);
    EXPECT_NEAR(CameraMatrix(1, 2), 0.0f, 1e-6);
    EXPECT_NEAR(CameraMatrix(2, 1), 0.0f, 1e-6);

    // A slope above 3 keeps the pitch and the class.
    rideOn(makeTile('g', 1, 5, 10, 0, 30));
    gameLogic();
    EXPECT_EQ(GameState.pitchState, 0);
    EXPECT_NEAR(CameraMatrix(1, 2), 0.0f, 1e-6);
}

TEST(PitchTable, StepsBetweenClasses) {
    RotationStep step{};
    EXPECT_FALSE(pitchStepBetween(2, 2, &step));
    EXPECT_FALSE(pitchStepBetween(0, 4, &step));
    ASSERT_TRUE(pitchStepBetween(0, 3, &step));
    EXPECT_EQ(step.cosine, 0.958f);
    EXPECT_EQ(step.sine, 0.287f);
    ASSERT_TRUE(pitchStepBetween(3, 1, &step));
    EXPECT_EQ(step.cosine, 0.98f);
    EXPECT_EQ(step.sine, -0.196f);
    ASSERT_TRUE(pitchStepBetween(1, 0, &step));
    EXPECT_EQ(step.sine, -0.0995f);
}

// A slope-2 tile with start corner y = 6: an eye 4 units past the start edge rides at
// 6 - 1 + 0.4 * 2 = 5.8, whichever way the tile points.
TEST_F(Motion, EyeFollowsTheGroundOnASlope) {
    struct Case {
        int variant;
        float sx, sz;    // start corner
        float ex, ez;    // eye, 4 along the heading and 5 across
    };
    const Case cases[] = {
        {1, 10, 10, 15, 14},
        {2, 20, 10, 16, 15},
        {3, 20, 20, 15, 16},
        {4, 10, 20, 14, 15},
        {5, 10, 10, 15, 14},
    };
    for (const Case& c : cases) {
        SetUp();
        GameState.pitchState = 2;
        rideOn(makeTile('g', c.variant, 2, c.sx, 6, c.sz));
        placeEye(c.ex, 0.0f, c.ez);
        pressKey(Ctrl);  // holds the rider against the slope's push
        gameLogic();
        EXPECT_EQ(GameState.speed, 0.0f);
        EXPECT_EQ(GameState.offTrack, 0) << "variant " << c.variant;
        EXPECT_FLOAT_EQ(RiderPosition.y, 5.8f) << "variant " << c.variant;
        EXPECT_FLOAT_EQ(CameraInverse(3, 1), 5.8f);
        const Point3 eye = eyeOfCamera();
        EXPECT_NEAR(eye.x, c.ex, 1e-5);
        EXPECT_NEAR(eye.y, 5.8f, 1e-5);
        EXPECT_NEAR(eye.z, c.ez, 1e-5);
    }
}

TEST_F(Motion, EyeHeightIsKeptOnTheFlat) {
    rideOn(makeTile('g', 1, 0, 10, 6, 10));
    placeEye(15, -3, 14);
    ride(3);
    EXPECT_FLOAT_EQ(RiderPosition.y, -3.0f);
    EXPECT_NEAR(eyeOfCamera().y, -3.0f, 1e-6);
}

TEST_F(Motion, NothingChangesWhileNotRacing) {
    rideOn(makeTile('g', 1, 2, 10, 0, 10));
    GameState.racing = 0;
    GameState.speed = 0.5f;
    pressKey(Up);
    pressKey(Left);
    const Matrix4 camera = CameraMatrix;
    ride(10);
    EXPECT_EQ(std::memcmp(CameraMatrix.m, camera.m, sizeof camera.m), 0);
    EXPECT_EQ(GameState.speed, 0.5f);
    EXPECT_EQ(GameState.pitchState, 0);
    EXPECT_EQ(RiderPosition.z, 7.6f);
}

// Before the race view has filled the window the tile reads as kind 0, variant 0,
// slope 0: the first call only moves the eye.
TEST_F(Motion, FirstCallOnTheEmptyWindowOnlyMoves) {
    pressKey(Up);
    gameLogic();
    EXPECT_FLOAT_EQ(GameState.speed, 0.01f);
    EXPECT_NEAR(RiderPosition.z, 7.61f, 1e-6);
    EXPECT_FLOAT_EQ(RiderPosition.x, 15.0f);
    EXPECT_FLOAT_EQ(RiderPosition.y, -1.0f);
    EXPECT_EQ(GameState.offTrack, 0);
    EXPECT_EQ(GameState.pitchState, 0);
    EXPECT_EQ(Rider.health(), 100);
    EXPECT_NEAR(eyeOfCamera().z, 7.61f, 1e-6);
}

}  // namespace
