// The ride clock, as the ride step drives it: it starts with the first step in which Up
// is held, counts every racing step from then on, and nothing while no run is on.
#include <gtest/gtest.h>

#include "base/game_state.h"
#include "base/scan_codes.h"
#include "race/ride_clock.h"
#include "ride_fixture.h"

using namespace ride_test;

namespace {

class RideClockTest : public RideTest {};

TEST_F(RideClockTest, CountsRacingStepsFromTheFirstPush) {
    resetRideClock();
    ride(2);
    EXPECT_EQ(RideClock.started, 0);
    EXPECT_EQ(RideClock.iterations, 0);
    pressKey(ScanUp);
    ride(1);
    releaseKey(ScanUp);
    ride(2);
    EXPECT_EQ(RideClock.started, 1);
    EXPECT_EQ(RideClock.iterations, 3);  // released, it runs on
    GameState.racing = 0;
    ride(1);
    EXPECT_EQ(RideClock.iterations, 3);
    resetRideClock();
    EXPECT_EQ(RideClock.started + RideClock.iterations, 0);
}

}  // namespace
