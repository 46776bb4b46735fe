// The replay tool's script: commands, comments, iteration order and clear errors.
#include <gtest/gtest.h>

#include <string>

#include "demo/replay_script.h"

namespace {

ReplayScript parseOk(const std::string& text) {
    ReplayScript script;
    std::string error;
    EXPECT_TRUE(parseReplayText(text, &script, &error)) << error;
    return script;
}

std::string parseError(const std::string& text) {
    ReplayScript script;
    std::string error;
    EXPECT_FALSE(parseReplayText(text, &script, &error)) << text;
    return error;
}

}  // namespace

TEST(ReplayScript, ReadsEveryCommandWithCommentsAndBlankLines) {
    const ReplayScript s = parseOk(
        "# a walk\n"
        "0 time 1700000000\n"
        "\n"
        "0 tap 28   # Enter\n"
        "3 press 72\r\n"
        "5 release 72\n"
        "5 mode\n"
        "6 close no\n"
        "7 snap race-1.frame\n"
        "7 close yes\n"
        "9 stop\n");
    ASSERT_EQ(s.commands.size(), 9u);
    EXPECT_EQ(s.commands[0].type, ReplayTime);
    EXPECT_EQ(s.commands[0].value, 1700000000);
    EXPECT_EQ(s.commands[1].type, ReplayTap);
    EXPECT_EQ(s.commands[1].value, 28);
    EXPECT_EQ(s.commands[2].iteration, 3);
    EXPECT_EQ(s.commands[5].type, ReplayCloseNo);
    EXPECT_EQ(s.commands[6].name, "race-1.frame");
    EXPECT_EQ(s.commands[7].type, ReplayCloseYes);
    EXPECT_EQ(s.commands[8].type, ReplayStop);
    EXPECT_EQ(s.lastIteration, 9);
    EXPECT_EQ(parseOk("# nothing\n\n").lastIteration, -1);
}

TEST(ReplayScript, RefusesBadLinesNamingTheLine) {
    EXPECT_EQ(parseError("0 tap 28\n\n2 jump\n"), "line 3: unknown command 'jump'");
    EXPECT_NE(parseError("5 tap 1\n4 tap 1\n").find("line 2"), std::string::npos);
    EXPECT_NE(parseError("0 tap 256\n").find("1 to 255"), std::string::npos);
    EXPECT_NE(parseError("0 press 0\n").find("1 to 255"), std::string::npos);
    EXPECT_NE(parseError("0 close maybe\n").find("yes"), std::string::npos);
    EXPECT_NE(parseError("x tap 1\n").find("iteration"), std::string::npos);
    EXPECT_NE(parseError("-1 stop\n").find("iteration"), std::string::npos);
    EXPECT_NE(parseError("0 snap ../escape\n").find("snapshot name"), std::string::npos);
    EXPECT_NE(parseError("0 mode now\n").find("no argument"), std::string::npos);
    EXPECT_NE(parseError("0 tap\n").find("one argument"), std::string::npos);
    EXPECT_NE(parseError("0 time soon\n").find("seconds"), std::string::npos);
}
