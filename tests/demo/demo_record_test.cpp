// A run recorded by the window game's recorder plays back to the same end in the replay
// tool; a demo whose keys were changed does not.
#include <gtest/gtest.h>

#include <string>

#include "demo_session.h"
#include "support/test_support.h"

TEST(DemoRecord, ARecordedRunVerifiesAndAChangedKeyLineFails) {
    const std::string home = makeTempDir("demo-record");
    ASSERT_EQ(runRecordedSession(home, DemoSessionPlan{400}), 0);
    const std::string demo = findDemo(home, "run-");
    ASSERT_FALSE(demo.empty());
    std::string output;
    EXPECT_EQ(verifyDemo(demo, &output), 0) << output;
    EXPECT_EQ(output.rfind("left 0:06.", 0), 0u) << output;

    // The first push comes a step later: the clock ends one step short.
    std::vector<std::string> lines = readLines(demo);
    std::string changed;
    bool moved = false;
    for (const std::string& line : lines) {
        int iteration = 0, scan = 0;
        char command[16];
        if (!moved && std::sscanf(line.c_str(), "%d %15s %d", &iteration, command, &scan) == 3 &&
            std::string(command) == "press" && scan == 0x48) {
            changed += std::to_string(iteration + 1) + " press 72\n";
            moved = true;
            continue;
        }
        changed += line + "\n";
    }
    ASSERT_TRUE(moved);
    const std::string edited = home + "/edited.tgdemo";
    writeTextFile(edited, changed);
    EXPECT_EQ(verifyDemo(edited, &output), 1) << output;

    writeTextFile(home + "/broken.tgdemo", "# tumblegrade-demo 1\n0 tap 28\n");
    EXPECT_EQ(verifyDemo(home + "/broken.tgdemo", &output), 2) << output;
}
