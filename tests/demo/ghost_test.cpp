// The ghost of a finished run: kept beside the best demo, drawn into the race view by the
// replay tool's --ghost, and the state log is the same with it as without.
#include <gtest/gtest.h>

#include <string>

#include "demo_session.h"
#include "support/test_support.h"

TEST(Ghost, TheBestRunsGhostLeavesTheStateLogAsItIs) {
    const std::string home = makeTempDir("demo-ghost");
    ASSERT_EQ(runRecordedSession(home, DemoSessionPlan{0, 0}), 0);
    const std::string best = findDemo(home, "best-");
    ASSERT_FALSE(best.empty());
    std::string output;
    ASSERT_EQ(verifyDemo(best, &output), 0) << output;
    EXPECT_EQ(output.rfind("finish ", 0), 0u) << output;
    const std::string ghost = best.substr(0, best.size() - 7) + ".ghost";

    const std::string plain = home + "/plain.state", ghosted = home + "/ghosted.state";
    const std::string replay = std::string(TG_REPLAY_EXE) + " '" + best + "' --out " + home + " --state ";
    ASSERT_EQ(std::system((replay + plain).c_str()), 0);
    ASSERT_EQ(std::system((replay + ghosted + " --ghost '" + ghost + "'").c_str()), 0);
    const std::vector<std::string> a = readLines(plain), b = readLines(ghosted);
    ASSERT_GT(a.size(), 1000u);
    EXPECT_TRUE(a == b);

    writeTextFile(home + "/bad.ghost", "TGGHOST1 but not a ghost");
    EXPECT_NE(std::system((replay + ghosted + " --ghost " + home + "/bad.ghost 2>/dev/null").c_str()), 0);
}
