// A finish is kept only when its demo, played again in the live game, ends as the run
// did; the playing leaves the live game as it was.
#include <gtest/gtest.h>

#include <string>

#include "demo_session.h"
#include "support/test_support.h"

namespace {

// A session ridden to the finish with the plan: its run's demo verified by the replay
// tool, and what was kept of the run.
struct RiddenRun {
    int verified;        // --verify's exit status
    std::string output;  // what it printed
    bool inRecords;      // the run is in the records with its demo
    bool best;           // its demo became the best
};

RiddenRun rideToFinish(const char* tag, const DemoSessionPlan& plan) {
    const std::string home = makeTempDir(tag);
    RiddenRun run{-1, "", false, false};
    if (runRecordedSession(home, plan) != 0) return run;
    const std::string demo = findDemo(home, "run-");
    if (demo.empty()) return run;
    run.verified = verifyDemo(demo, &run.output);
    std::string records;
    for (const std::string& line : readLines(home + "/tumblegrade/records.txt")) records += line + "\n";
    run.inRecords = records.find(".tgdemo") != std::string::npos;
    run.best = !findDemo(home, "best-").empty();
    return run;
}

}  // namespace

// Checked on the intro and in the middle of a ride, a demo that plays and one changed
// leave the game as they found it: the run then finishes, is kept with its demo and that
// demo verifies in the replay tool (which never saw the check).
TEST(DemoCheck, ADemoThatPlaysIsKeptAndTheLiveGameIsLeftAsItWas) {
    const RiddenRun run = rideToFinish("demo-check", DemoSessionPlan{0, 0, 300, 0});
    EXPECT_EQ(run.verified, 0) << run.output;
    EXPECT_EQ(run.output.rfind("finish ", 0), 0u) << run.output;
    EXPECT_TRUE(run.inRecords);
    EXPECT_TRUE(run.best);
}

// A rider slowed beside the keys: the demo plays a different run, so the finish is kept
// neither in the records nor as the best demo.
TEST(DemoCheck, AFinishItsDemoDoesNotPlayIsNotKept) {
    const RiddenRun run = rideToFinish("demo-refused", DemoSessionPlan{0, 0, 0, 300});
    EXPECT_EQ(run.verified, 1) << run.output;
    EXPECT_FALSE(run.inRecords);
    EXPECT_FALSE(run.best);
}
