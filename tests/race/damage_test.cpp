// Leaving the track: damage from the table pair at the cursor scaled by the speed, the
// outcome flag, the stop and the respawn in the middle of the tile.
#include "race/camera_steps.h"
#include "race/damage.h"
#include "ride_fixture.h"

using namespace ride_test;

namespace {

class Damage : public RideTest {
protected:
    // A flat straight along +z from (10, 0, 10) with the rider just beyond its left
    // wall, rolling at the given speed: the next call is an off-track event.
    void leaveTheTrackAt(float speed, int slope = 0) {
        rideOn(makeTile('g', 1, slope, 10, 0, 10));
        GameState.pitchState = slope;
        placeEye(10.2f, -1.0f, 12.0f);
        GameState.speed = speed;
    }
    void setCondition(int condition) { Rider.addCondition(condition - Rider.condition()); }
    void setHealth(int health) { Rider.addHealth(health - Rider.health()); }
};

TEST_F(Damage, BikeDamageBeyondTheConditionIsADefect) {
    DamageTable[0] = 10;
    DamageTable[1] = 50;
    setCondition(20);
    leaveTheTrackAt(0.5f);
    gameLogic();
    EXPECT_EQ(GameState.offTrack, 1);
    EXPECT_EQ(Rider.health(), 95);
    EXPECT_EQ(Rider.condition(), 20);
    EXPECT_EQ(GameState.defectFlag, 1);
    EXPECT_EQ(GameState.injuryFlag, 0);
    EXPECT_EQ(GameState.crashFlag, 0);
    EXPECT_EQ(GameState.damageCursor, 2);
    EXPECT_EQ(GameState.speed, 0.0f);
}

TEST_F(Damage, DamageIsTruncatedTowardZero) {
    DamageTable[4] = 99;
    GameState.damageCursor = 4;
    GameState.speed = 0.3f;
    EXPECT_EQ(drawDamage(), 29);
    EXPECT_EQ(GameState.damageCursor, 5);
    GameState.speed = 0.0101f;
    EXPECT_EQ(drawDamage(), 0);  // entry 5 is 0
}

TEST_F(Damage, HugeSpeedGivesTheLargestDamageInsteadOfOverflowing) {
    DamageTable[0] = 99;
    GameState.speed = 1e30f;
    EXPECT_EQ(drawDamage(), INT32_MAX);
}

TEST_F(Damage, AtRestAnEventCostsNothingAndIsACrash) {
    DamageTable[0] = 99;
    DamageTable[1] = 99;
    leaveTheTrackAt(0.0f);
    gameLogic();
    EXPECT_EQ(GameState.offTrack, 1);
    EXPECT_EQ(GameState.crashFlag, 1);
    EXPECT_EQ(GameState.injuryFlag + GameState.defectFlag, 0);
    EXPECT_EQ(Rider.health(), 100);
    EXPECT_EQ(Rider.condition(), 0);
    EXPECT_EQ(GameState.damageCursor, 2);
}

TEST_F(Damage, BothRefusalsSetBothFlags) {
    DamageTable[0] = 40;
    DamageTable[1] = 60;
    setHealth(5);
    setCondition(3);
    leaveTheTrackAt(0.5f);
    gameLogic();
    EXPECT_EQ(GameState.injuryFlag, 1);
    EXPECT_EQ(GameState.defectFlag, 1);
    EXPECT_EQ(GameState.crashFlag, 0);
    EXPECT_EQ(Rider.health(), 5);
    EXPECT_EQ(Rider.condition(), 3);
}

TEST_F(Damage, HealthExactlyEqualToTheDamageIsAbsorbed) {
    DamageTable[0] = 40;
    DamageTable[2] = 2;
    setHealth(20);
    leaveTheTrackAt(0.5f);
    gameLogic();
    EXPECT_EQ(Rider.health(), 0);
    EXPECT_EQ(GameState.injuryFlag, 0);
    EXPECT_EQ(GameState.crashFlag, 1);

    GameState.crashFlag = 0;
    leaveTheTrackAt(0.5f);
    gameLogic();
    EXPECT_EQ(GameState.injuryFlag, 1);
    EXPECT_EQ(Rider.health(), 0);
}

TEST_F(Damage, CursorWalksThePairsAndStartsAgainAfterEntryNine) {
    for (int i = 0; i < 12; ++i) DamageTable[i] = i + 1;
    setCondition(1000);
    const int expectedCursor[] = {2, 4, 6, 8, 0, 2};
    int health = 100, condition = 1000;
    for (int event = 0; event < 6; ++event) {
        const int pair = (2 * event) % 10;
        leaveTheTrackAt(1.0f);
        gameLogic();
        health -= DamageTable[pair];
        condition -= DamageTable[pair + 1];
        EXPECT_EQ(GameState.damageCursor, expectedCursor[event]) << "event " << event;
        EXPECT_EQ(Rider.health(), health) << "event " << event;
        EXPECT_EQ(Rider.condition(), condition) << "event " << event;
        EXPECT_EQ(GameState.crashFlag, 1);
    }
}

TEST_F(Damage, CursorOutsideTheTableStartsAtEntryZero) {
    DamageTable[0] = 7;
    GameState.damageCursor = 40;
    GameState.speed = 1.0f;
    EXPECT_EQ(drawDamage(), 7);
    EXPECT_EQ(GameState.damageCursor, 1);
}

// The respawn faces along the tile's heading from its middle, 1 unit above the ground.
TEST_F(Damage, RespawnStandsInTheMiddleOfTheTileFacingItsHeading) {
    struct Case {
        char kind;
        int variant;
        float sx, sz;          // start corner
        float ex, ez;          // expected eye
        float fx, fz;          // expected forward direction
    };
    const Case cases[] = {
        {'g', 1, 10, 10, 15, 15, 0, 1},  {'g', 2, 10, 10, 5, 15, -1, 0},
        {'g', 3, 10, 10, 5, 5, 0, -1},   {'g', 4, 10, 10, 15, 5, 1, 0},
        {'a', 5, 10, 10, 15, 15, 0, 1},  {'a', 6, 10, 10, 5, 15, -1, 0},
        {'i', 7, 10, 10, 5, 5, 0, -1},   {'s', 8, 10, 10, 15, 5, 1, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        rideOn(makeTile(c.kind, c.variant, 0, c.sx, 4, c.sz));
        placeEye(c.sx + 50, 0, c.sz + 50);
        placeRiderOnTile(SegmentWindow.current.mesh);
        const Point3 eye = eyeOfCamera();
        EXPECT_NEAR(eye.x, c.ex, 1e-5) << c.kind << c.variant;
        EXPECT_NEAR(eye.y, 3.0f, 1e-5) << c.kind << c.variant;
        EXPECT_NEAR(eye.z, c.ez, 1e-5) << c.kind << c.variant;
        EXPECT_EQ(CameraMatrix(0, 2), c.fx) << c.kind << c.variant;
        EXPECT_EQ(CameraMatrix(2, 2), c.fz) << c.kind << c.variant;
        EXPECT_EQ(CameraMatrix(1, 1), 1.0f);
        EXPECT_EQ(CameraMatrix(3, 3), 1.0f);
    }
}

TEST_F(Damage, RespawnOutsideTheLaidOutVariantsKeepsTheCamera) {
    rideOn(makeTile('g', 9, 0, 10, 0, 10));  // tested as a straight along +z
    placeEye(10.2f, -1, 12);
    const Matrix4 before = CameraMatrix;
    GameState.speed = 0.0f;
    gameLogic();
    EXPECT_EQ(GameState.crashFlag, 1);
    EXPECT_NEAR(eyeOfCamera().x, 10.2f, 1e-5);
    EXPECT_NEAR(CameraMatrix(3, 0), before(3, 0), 1e-5);
}

// After an event on a slope-2 straight with start corner (10, 6, 10) the next run starts
// at rest, pitched for the slope, with the eye at (15, 6, 15): 6 - 1 + 0.5 * 2.
TEST_F(Damage, NextRunStartsAtRestFromTheRespawnPose) {
    rideOn(makeTile('g', 1, 2, 10, 6, 10));
    placeEye(10.2f, 0, 12);
    GameState.speed = 0.4f;
    gameLogic();
    ASSERT_EQ(GameState.crashFlag, 1);
    EXPECT_EQ(GameState.pitchState, 2);
    EXPECT_EQ(GameState.speed, 0.0f);
    const Point3 respawn = eyeOfCamera();
    EXPECT_NEAR(respawn.x, 15.0f, 1e-5);
    EXPECT_NEAR(respawn.y, 6.0f, 1e-5);
    EXPECT_NEAR(respawn.z, 15.0f, 1e-5);
    EXPECT_NEAR(CameraMatrix(1, 1), 0.98f, 1e-6);
    EXPECT_NEAR(CameraMatrix(1, 2), 0.196f, 1e-6);

    // The outcome check stops the run; nothing moves until the next run starts.
    GameState.racing = 0;
    GameState.crashFlag = 0;
    ride(3);
    EXPECT_EQ(GameState.speed, 0.0f);
    GameState.racing = 1;
    gameLogic();
    // From rest only the slope's push moves the rider in the first call.
    EXPECT_FLOAT_EQ(GameState.speed, 0.00125f);
    EXPECT_EQ(GameState.offTrack, 0);
    EXPECT_EQ(GameState.crashFlag, 0);
    EXPECT_NEAR(RiderPosition.x, 15.0f, 1e-5);
    EXPECT_NEAR(RiderPosition.y, 6.0f + 0.2f * 0.98f * 0.00125f, 1e-5);
    EXPECT_NEAR(RiderPosition.z, 15.0f + 0.98f * 0.00125f, 1e-5);
    EXPECT_NEAR(CameraMatrix(1, 2), 0.196f, 1e-5);  // no second pitch
}

TEST_F(Damage, RespawnOnASteepTileKeepsThisCallsPitch) {
    // Slope 5 has no pitch class: the respawn keeps the step (none) of this call.
    rideOn(makeTile('g', 1, 5, 10, 0, 10));
    placeEye(10.2f, 0, 12);
    gameLogic();
    EXPECT_EQ(GameState.pitchState, 0);
    EXPECT_EQ(CameraMatrix(1, 2), 0.0f);
    EXPECT_NEAR(eyeOfCamera().y, -1.0f + 2.5f, 1e-5);
}

}  // namespace
