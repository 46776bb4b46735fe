// The course checker on the shipped course and on broken ones: each kind of problem is
// found with its line number, and the exit status tells.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <sys/wait.h>

#include "support/test_support.h"
#include "track/course_check.h"

namespace {

struct CheckRun {
    int status;
    std::string output;
};

CheckRun runChecker(const std::string& path) {
    const std::string command = std::string(TG_BINARY_DIR) + "/tools/trackcheck/tumblegrade-trackcheck " + path;
    CheckRun run{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) run.output += buffer;
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

CheckRun checkText(const std::string& text) {
    const std::string path = makeTempDir("trackcheck") + "/course.tbk";
    writeTextFile(path, text);
    return runChecker(path);
}

bool mentions(const CheckRun& run, const std::string& text) { return run.output.find(text) != std::string::npos; }

}  // namespace

TEST(TrackCheck, ShippedCoursePassesWithAtLeast60Segments) {
    const CheckRun run = runChecker(std::string(TG_SOURCE_DIR) + "/data/track.tbk");
    EXPECT_EQ(run.status, 0) << run.output;
    int built = 0;
    const size_t at = run.output.rfind(": ");
    ASSERT_NE(at, std::string::npos);
    std::sscanf(run.output.c_str() + at + 2, "%d built segments", &built);
    EXPECT_GE(built, 60) << run.output;
    EXPECT_TRUE(mentions(run, " 0 warnings")) << run.output;
}

TEST(TrackCheck, ShippedCourseUsesEveryKindSlopeAndObject) {
    const std::vector<std::string> lines = readLines(std::string(TG_SOURCE_DIR) + "/data/track.tbk");
    ASSERT_GE(lines.size(), 60u);
    std::set<char> kinds, objects;
    std::set<int> slopes;
    std::vector<int> gateSlots;
    for (const std::string& line : lines) {
        kinds.insert(line[0]);
        slopes.insert(line[3] - '0');
        for (size_t c = 8; c < line.size(); c += 3) {
            objects.insert(line[c]);
            if (line[c] == 't' && c == 8) gateSlots.push_back(line[7] - '0');
        }
    }
    EXPECT_EQ(kinds, (std::set<char>{'a', 'e', 'g', 'i', 'j', 'l', 'r', 's', 'z'}));
    EXPECT_EQ(slopes, (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(objects, (std::set<char>{'t', 'b', 'w'}));
    // A banner gate at the start and one near the finish.
    EXPECT_EQ(lines.front()[0], 'z');
    bool gateNearEnd = false;
    for (size_t i = lines.size() - 5; i < lines.size(); ++i) gateNearEnd |= lines[i][0] == 'z';
    EXPECT_TRUE(gateNearEnd);
    // Slalom gates alternate sides.
    ASSERT_GE(gateSlots.size(), 4u);
    for (size_t i = 1; i < gateSlots.size(); ++i) EXPECT_NE(gateSlots[i] == 0, gateSlots[i - 1] == 0) << i;
}

TEST(TrackCheck, FindsInconsistentHeadingAndBrokenPath) {
    CheckRun run = checkText("g1 0 0\ng2 0 0\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(mentions(run, ":2: inconsistent heading")) << run.output;
    // An 'e' leaves off centre: a straight 'g' after it breaks the path.
    run = checkText("g1 0 0\ne1 0 0\ng1 0 0\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(mentions(run, ":3: path discontinuity")) << run.output;
    // The chain e, i, a keeps the path in both shapes.
    run = checkText("g1 0 0\ne1 0 0\ni1 0 0\na4 0 0\ng4 0 0\nl4 0 0\ne5 0 0\ni5 0 0\na6 0 0\n");
    EXPECT_EQ(run.status, 0) << run.output;
}

TEST(TrackCheck, FindsOverlapsAndTheBannerGateOffItsHeading) {
    // Four left turns come back to the first square.
    CheckRun run = checkText("g1 0 0\nl1 0 0\ng2 0 0\nl2 0 0\ng3 0 0\nl3 0 0\ng4 0 0\nl4 0 0\ng1 0 0\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(mentions(run, "overlaps the tile of line 1")) << run.output;
    run = checkText("g1 0 0\nl1 0 0\nz2 0 0\n");
    EXPECT_TRUE(mentions(run, ":3: banner gate 'z' is always laid out along +z")) << run.output;
}

TEST(TrackCheck, FindsUnknownKindsVariantsSlotsAndLongLines) {
    const CheckRun run = checkText(
        "q1 0 0\n"
        "g9 0 0\n"
        "g1 0 1 7t\n"
        "g1 0 3 0t\n"
        "g1 0 9 0t 1t 2t 3t 4t 5t 0t 1t 2t\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(mentions(run, ":1: unknown kind 'q'")) << run.output;
    EXPECT_TRUE(mentions(run, ":2: kind 'g' has no variant 9")) << run.output;
    EXPECT_TRUE(mentions(run, ":3: object 0: slot 7 outside 0 to 5")) << run.output;
    EXPECT_TRUE(mentions(run, ":4: object count 3, but the line holds only 1")) << run.output;
    EXPECT_TRUE(mentions(run, ":5: warning: line of 34 characters")) << run.output;  // read whole, as the game does
    EXPECT_TRUE(mentions(run, "5 built segments")) << run.output;
}

TEST(TrackCheck, CountsBuiltLinesByTheCurveRule) {
    // The second 'l' is skipped (an 'a' does not interrupt the run), comments do not count.
    const CheckRun run = checkText("g1 0 0\n# a comment\nl1 0 0\na2 0 0\nl2 0 0\n");
    EXPECT_TRUE(mentions(run, ":5: warning: 'l' line skipped")) << run.output;
    EXPECT_TRUE(mentions(run, "3 built segments")) << run.output;
}

TEST(TrackCheck, MissingFileIsAnError) {
    const CheckRun run = runChecker("/nonexistent/course.tbk");
    EXPECT_EQ(run.status, 2);
}

// What the course screen shows for a course a player adds: the first problem, or none.
TEST(TrackCheck, FirstCourseProblemNamesTheFirstFaultOnly) {
    const std::string dir = makeTempDir("firstproblem");
    const struct {
        const char* text;
        int result;
        const char* first;
    } cases[] = {
        {"g1 0 0\ng1 0 0\ng1 9 0\n", 0, ""},  // a slope warning is no problem
        {"g1 0 0\nq1 0 0\ng5 0 0\n", 1, "line 2: unknown kind 'q'"},
        {"g2 0 0\n", 1, "line 1: inconsistent heading"},
        {"# only a comment\n", 1, "no tiles"},
    };
    for (const auto& c : cases) {
        const std::string path = dir + "/course.tbk";
        writeTextFile(path, c.text);
        char text[128] = "x";
        EXPECT_EQ(firstCourseProblem(path.c_str(), text, sizeof text), c.result) << c.text;
        EXPECT_EQ(std::string(text).rfind(c.first, 0), 0u) << text;
    }
    char text[8];
    EXPECT_EQ(firstCourseProblem((dir + "/missing.tbk").c_str(), text, sizeof text), 1);
    EXPECT_STREQ(text, "cannot ");  // cut to the room given
    EXPECT_EQ(firstCourseProblem(dir.c_str(), text, sizeof text), 1);  // a folder is no course
}
