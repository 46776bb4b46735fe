// Every course of the build's index ridden by the autopilot through the replay tool: it
// reaches the finish in the par the build wrote, and the session it records, played back
// with --course, ends on the same screen after the same number of ride iterations.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "base/scan_codes.h"
#include "support/test_support.h"
#include "track/course_choice.h"
#include "track/course_index.h"

namespace {

const CourseIndex& shippedIndex() {
    static CourseIndex index;
    static bool read = false;
    if (!read) {
        char error[256];
        read = true;
        if (!readCourseIndex((std::string(TG_DATA_DIR) + "/" + CourseIndexFile).c_str(), &index, error, sizeof error))
            index.count = 0;
    }
    return index;
}

std::string runTool(const std::string& arguments, int* status) {
    const std::string command = std::string("'") + TG_REPLAY_EXE + "' " + arguments;
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    const int raw = pclose(pipe);
    *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return output;
}

class ShippedCourse : public testing::TestWithParam<int> {};

TEST_P(ShippedCourse, TheAutopilotFinishesItAtParAndItsRecordingPlaysBack) {
    const CourseIndexEntry& course = shippedIndex().entries[GetParam()];
    const std::string dir = makeTempDir("autopilot");
    const std::string data = std::string(" --data '") + TG_DATA_DIR + "'";
    int status = -1;
    const std::string line =
        runTool(std::string("--autopilot --course ") + course.name + data + " --record '" + dir + "/ride.txt'", &status);
    ASSERT_EQ(status, 0);
    EXPECT_GT(course.par, 0);
    EXPECT_EQ(line, std::string("course ") + course.name + " outcome finish iterations " +
                        std::to_string(course.par) + "\n");

    std::ifstream in(dir + "/ride.txt");
    std::stringstream recorded;
    recorded << in.rdbuf();
    int ok = 0;
    const uint64_t hash = courseContentHash((std::string(TG_DATA_DIR) + "/" + course.file).c_str(), &ok);
    char header[96];
    std::snprintf(header, sizeof header, "# course %s\n# course content hash %016llx\n", course.name,
                  (unsigned long long)hash);
    EXPECT_NE(recorded.str().find(header), std::string::npos) << recorded.str().substr(0, 300);

    runTool("'" + dir + "/ride.txt' --course " + course.name + data + " --out '" + dir + "' --state '" + dir +
                "/states.jsonl'",
            &status);
    ASSERT_EQ(status, 0);
    const std::vector<std::string> states = readLines(dir + "/states.jsonl");
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(jsonInt(states.back(), "screen"), 27);  // the finish
    EXPECT_EQ(jsonInt(states.front(), "segmentCount"), course.tiles);
    // The ride iterations: from the first in which Up is held to the one that ends the
    // run (it rides its step, then the run is over: its state shows racing 0).
    const size_t push = recorded.str().find(" press " + std::to_string(ScanUp) + "\n");
    ASSERT_NE(push, std::string::npos);
    const size_t lineStart = recorded.str().rfind('\n', push) + 1;
    const size_t first = std::stoul(recorded.str().substr(lineStart, push - lineStart));
    size_t end = first;
    while (end < states.size() && jsonInt(states[end], "racing") == 1) ++end;
    EXPECT_EQ(end, states.size() - 1);
    EXPECT_EQ(int(end - first + 1), course.par);
}

INSTANTIATE_TEST_SUITE_P(Index, ShippedCourse, testing::Range(0, shippedIndex().count),
                         [](const testing::TestParamInfo<int>& info) {
                             std::string name = shippedIndex().entries[info.param].name;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

TEST(ShippedCourses, TheIndexStartsWithTheClassicCourseCoversEveryGradeAndNamesNoOther) {
    const CourseIndex& index = shippedIndex();
    ASSERT_GE(index.count, 9);
    EXPECT_STREQ(index.entries[0].file, "track.tbk");
    for (const char* grade : {"green", "blue", "red", "black"}) {
        int count = 0;
        for (int i = 0; i < index.count; ++i) count += std::string(index.entries[i].grade) == grade;
        EXPECT_GE(count, 1) << grade;
    }
    int status = 0;
    EXPECT_EQ(runTool(std::string("--autopilot --course no-such-course --data '") + TG_DATA_DIR + "' 2>/dev/null", &status), "");
    EXPECT_EQ(status, 2);
}

}  // namespace

namespace {

// A few days' daily courses: the autopilot finishes each, and the demo of its ride
// verifies where no course file of that day has been made yet (a fresh cache folder).
TEST(DailyCourses, TheAutopilotFinishesThemAndTheirDemosPlayFromTheDateAlone) {
    const std::string dir = makeTempDir("daily");
    const std::string data = std::string(" --data '") + TG_DATA_DIR + "'";
    for (const char* date : {"2026-12-10", "2026-12-12", "2027-01-04"}) {
        const std::string name = std::string("daily-") + date;
        setenv("XDG_CACHE_HOME", (dir + "/cache").c_str(), 1);
        int status = -1;
        const std::string line = runTool("--autopilot --course " + name + data + " --record '" + dir + "/ride.txt'",
                                         &status);
        ASSERT_EQ(status, 0) << line;
        EXPECT_EQ(line.rfind("course " + name + " outcome finish iterations ", 0), 0u) << line;
        runTool("'" + dir + "/ride.txt' --course " + name + data + " --make-demo '" + dir + "/ride.tgdemo' --out '" +
                    dir + "/pictures'",
                &status);
        ASSERT_EQ(status, 0);
        setenv("XDG_CACHE_HOME", (dir + "/fresh-" + date).c_str(), 1);
        const std::string verified = runTool("--verify '" + dir + "/ride.tgdemo'" + data, &status);
        EXPECT_EQ(status, 0) << verified;
        EXPECT_EQ(verified.rfind("finish ", 0), 0u) << verified;
    }
    unsetenv("XDG_CACHE_HOME");
}

}  // namespace
