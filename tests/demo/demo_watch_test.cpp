// Watching a demo: a jump back and forward again reaches the states of playing straight
// through.
#include <gtest/gtest.h>

#include "demo_session.h"
#include "support/test_support.h"

TEST(DemoWatch, JumpsReachTheStatesOfPlayingStraightThrough) {
    const std::string home = makeTempDir("demo-watch");
    ASSERT_EQ(runRecordedSession(home, DemoSessionPlan{900, 0}), 0);
    const std::string demo = findDemo(home, "run-");
    ASSERT_FALSE(demo.empty());
    EXPECT_EQ(checkWatchedJumps(demo), 0);
}

TEST(DemoWatch, AfterThirtySecondsOnTheIntroTheShippedDemosPlayUntilAKey) { EXPECT_EQ(checkAttractLoop(), 0); }

// Every shipped demo still plays to the end its header names.
TEST(DemoWatch, ShippedDemosVerify) {
    for (const char* name : {"classic", "meadow-glide", "gate-sprint"}) {
        std::string output;
        EXPECT_EQ(verifyDemo(std::string(TG_SOURCE_DIR) + "/data/demos/" + name + ".tgdemo", &output), 0) << output;
        EXPECT_EQ(output.rfind("finish ", 0), 0u) << name << ": " << output;
    }
}

// The verification the finish check, --verify and the board server share: the run's end,
// every iteration of the run observed, and the iteration cap.
TEST(DemoPlayback, PlaysTheRunToItsEndOrTheCap) {
    EXPECT_EQ(checkDemoPlayback(std::string(TG_SOURCE_DIR) + "/data/demos/classic.tgdemo"), 0);
}

// The best-times screen plays the chosen run's demo and comes back; a run whose demo is
// gone plays nothing.
TEST(DemoWatch, TheBestTimesScreenPlaysTheChosenRunsDemo) {
    const std::string home = makeTempDir("demo-best-times");
    ASSERT_EQ(runRecordedSession(home, DemoSessionPlan{0, 1}), 0);
    EXPECT_EQ(checkBestTimesPlays(home), 0);
}
