// A finish is kept only when its demo, played again in the live game, ends as the run
// did; the playing leaves the live game as it was.
#include <gtest/gtest.h>

#include <string>

#include "demo_session.h"
#include "support/test_support.h"

namespace {

std::string recordsText(const std::string& home) {
    std::string text;
    for (const std::string& line : readLines(home + "/tumblegrade/records.txt")) text += line + "\n";
    return text;
}

}  // namespace

// Checked in the middle of a ride, a demo that plays and one changed leave the game as
// they found it: the run then finishes, is kept with its demo and that demo verifies in
// the replay tool (which never saw the check).
TEST(DemoCheck, ADemoThatPlaysIsKeptAndTheLiveGameIsLeftAsItWas) {
    const std::string home = makeTempDir("demo-check");
    ASSERT_EQ(runRecordedSession(home, DemoSessionPlan{0, 0, 300, 0}), 0);
    const std::string demo = findDemo(home, "run-");
    ASSERT_FALSE(demo.empty());
    std::string output;
    EXPECT_EQ(verifyDemo(demo, &output), 0) << output;
    EXPECT_EQ(output.rfind("finish ", 0), 0u) << output;
    EXPECT_NE(recordsText(home).find(".tgdemo"), std::string::npos);
    EXPECT_FALSE(findDemo(home, "best-").empty());
}

// A rider slowed beside the keys: the demo plays a different run, so the finish is kept
// neither in the records nor as the best demo.
TEST(DemoCheck, AFinishItsDemoDoesNotPlayIsNotKept) {
    const std::string home = makeTempDir("demo-refused");
    ASSERT_EQ(runRecordedSession(home, DemoSessionPlan{0, 0, 0, 300}), 0);
    const std::string demo = findDemo(home, "run-");
    ASSERT_FALSE(demo.empty());
    std::string output;
    EXPECT_EQ(verifyDemo(demo, &output), 1) << output;
    EXPECT_EQ(recordsText(home).find(".tgdemo"), std::string::npos);
    EXPECT_TRUE(findDemo(home, "best-").empty());
}
