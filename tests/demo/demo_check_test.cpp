// A finish is kept only when its demo, played again in the live game, ends as the run
// did; the playing leaves the live game as it was.
#include <gtest/gtest.h>

#include <string>

#include "demo_session.h"
#include "support/test_support.h"

// First: demos checked on the intro and in the middle of the ride (one that plays, one
// changed) leave the game as they found it, so the run finishes, is kept with its demo,
// and that demo verifies in the replay tool, which never saw the checks. Then: a rider
// slowed beside the keys; the demo plays another run, and the finish is kept neither in
// the records nor as the best demo.
TEST(DemoCheck, AFinishIsKeptOnlyWhenItsDemoPlaysIt) {
    const struct {
        DemoSessionPlan plan;
        int verified;
        bool kept;
    } cases[] = {{{0, 0, 300, 0}, 0, true}, {{0, 0, 0, 300}, 1, false}};
    for (const auto& c : cases) {
        const std::string home = makeTempDir("demo-check");
        ASSERT_EQ(runRecordedSession(home, c.plan), 0);
        const std::string demo = findDemo(home, "run-");
        ASSERT_FALSE(demo.empty());
        std::string output, records;
        EXPECT_EQ(verifyDemo(demo, &output), c.verified) << output;
        for (const std::string& line : readLines(home + "/tumblegrade/records.txt")) records += line + "\n";
        EXPECT_EQ(records.find(".tgdemo") != std::string::npos, c.kept) << records;
        EXPECT_EQ(!findDemo(home, "best-").empty(), c.kept);
    }
}
