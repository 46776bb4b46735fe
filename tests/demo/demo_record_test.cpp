// A run recorded by the window game's recorder plays back to the same end in the replay
// tool; a demo whose keys were changed does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "demo_session.h"
#include "support/test_support.h"

TEST(DemoRecord, ARecordedRunVerifiesAndAChangedKeyLineFails) {
    const std::string home = makeTempDir("demo-record");
    ASSERT_EQ(runRecordedSession(home, DemoSessionPlan{400, 0}), 0);
    const std::string demo = findDemo(home, "run-");
    ASSERT_FALSE(demo.empty());
    std::string output;
    EXPECT_EQ(verifyDemo(demo, &output), 0) << output;
    EXPECT_EQ(output.rfind("left 0:06.", 0), 0u) << output;

    // The first push comes a step later: the clock ends one step short.
    const std::string changed = withFirstPushLater(readLines(demo));
    ASSERT_FALSE(changed.empty());
    const std::string edited = home + "/edited.tgdemo";
    writeTextFile(edited, changed);
    EXPECT_EQ(verifyDemo(edited, &output), 1) << output;

    writeTextFile(home + "/broken.tgdemo", "# tumblegrade-demo 1\n0 tap 28\n");
    EXPECT_EQ(verifyDemo(home + "/broken.tgdemo", &output), 2) << output;
}

// Ride again (F5 at the finish) starts from the first run's start state: its demo is the
// first run's prologue and its own keys, and it verifies; the records keep both finishes
// with their demos.
TEST(DemoRecord, ARideAgainRunIsWrittenAfterTheFirstRunsPrologue) {
    const std::string home = makeTempDir("demo-again");
    ASSERT_EQ(runRecordedSession(home, DemoSessionPlan{0, 1}), 0);
    const std::vector<std::string> runs = findDemos(home, "run-");
    ASSERT_EQ(runs.size(), 2u);
    for (const std::string& demo : runs) {
        std::string output;
        EXPECT_EQ(verifyDemo(demo, &output), 0) << demo << ": " << output;
        EXPECT_EQ(output.rfind("finish ", 0), 0u) << output;
    }
    // Both start after the same prologue, not after the whole session.
    const std::vector<std::string> first = readLines(runs[0]), again = readLines(runs[1]);
    const auto startLine = [](const std::vector<std::string>& lines) {
        return *std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("# start ", 0) == 0; });
    };
    EXPECT_EQ(startLine(first), startLine(again));
    std::string records;
    for (const std::string& line : readLines(home + "/tumblegrade/records.txt")) records += line + "\n";
    EXPECT_NE(records.find(".tgdemo"), std::string::npos) << records;
}

// A run at practice speed reaches the finish and leaves nothing behind: no demo of any
// kind, no records file.
TEST(DemoRecord, APracticeRunKeepsNoRecordAndNoDemo) {
    const std::string home = makeTempDir("demo-practice");
    DemoSessionPlan plan{0, 0};
    plan.practice = 1;
    ASSERT_EQ(runRecordedSession(home, plan), 0);
    EXPECT_TRUE(findDemos(home, "").empty());
    EXPECT_TRUE(readLines(home + "/tumblegrade/records.txt").empty());
}
