// The course index: its entries, what makes a line malformed, and how a name or a path
// chooses the file to load.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "track/course_index.h"

namespace {

int parse(const std::string& text, CourseIndex* index, char* error) {
    return parseCourseIndex(text.data(), int(text.size()), "idx", index, error, 200);
}

TEST(CourseIndex, ReadsEntriesSkippingCommentsAndBlankLines) {
    static CourseIndex index;
    char error[200] = "";
    const std::string text =
        "# courses\r\n"
        "\n"
        "classic red track.tbk 65 4321\r\n"
        "  \t# indented comment\n"
        "larch-run\tgreen  courses/larch-run.tbk 40";
    ASSERT_EQ(parse(text, &index, error), 1) << error;
    ASSERT_EQ(index.count, 2);
    EXPECT_STREQ(index.entries[0].name, "classic");
    EXPECT_STREQ(index.entries[0].grade, "red");
    EXPECT_STREQ(index.entries[0].file, "track.tbk");
    EXPECT_EQ(index.entries[0].tiles, 65);
    EXPECT_EQ(index.entries[0].par, 4321);
    EXPECT_STREQ(index.entries[1].file, "courses/larch-run.tbk");
    EXPECT_EQ(index.entries[1].par, 0);  // not known
    EXPECT_EQ(findCourse(&index, "larch-run"), &index.entries[1]);
    EXPECT_EQ(findCourse(&index, "larch"), nullptr);
}

TEST(CourseIndex, MalformedLinesNameTheLineAndWhatIsWrong) {
    const std::string ok = "classic red track.tbk 65\n";
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {"", "idx:0: no course listed"},
        {ok + "short red x.tbk\n", "idx:2: expected NAME GRADE FILE TILES [PAR]"},
        {ok + "a b c.tbk 1 2 3\n", "idx:2: too many fields"},
        {ok + "bad/name red x.tbk 3\n", "idx:2: the name holds"},
        {ok + "n red ../x.tbk 3\n", "idx:2: the file is a relative path"},
        {ok + "n red /etc/passwd 3\n", "idx:2: the file is a relative path"},
        {ok + "n red a//b 3\n", "idx:2: the file is a relative path"},
        {ok + "n red x.tbk 0\n", "idx:2: the tile count"},
        {ok + "n red x.tbk 12x\n", "idx:2: the tile count"},
        {ok + "n red x.tbk 3 -1\n", "idx:2: the par"},
        {ok + "n red x.tbk 3 99999999999\n", "idx:2: the par"},
        {ok + "classic blue y.tbk 3\n", "idx:2: a course of that name is listed already"},
        {ok + std::string(300, 'a') + "\n", "idx:2: line longer than 255"},
        {ok + std::string("n red x.tbk 3\0\n", 15), "idx:2: a zero byte"},
        {"n0123456789012345678901234567890 red x.tbk 3\n", "idx:1: the name holds"},
    };
    for (const auto& c : cases) {
        static CourseIndex index;
        char error[200] = "";
        EXPECT_EQ(parse(c.text, &index, error), 0) << c.text;
        EXPECT_EQ(std::string(error).rfind(c.error, 0), 0u) << error;
        EXPECT_EQ(index.count, 0);
    }
    std::string many;
    char line[32];
    for (int i = 0; i <= CourseIndexCapacity; ++i) {
        std::snprintf(line, sizeof line, "c%d g f.tbk 1\n", i);
        many += line;
    }
    static CourseIndex index;
    char error[200] = "";
    EXPECT_EQ(parse(many, &index, error), 0);
    EXPECT_STREQ(error, "idx:65: more than 64 courses");
}

TEST(CourseIndex, ResolvesANameOrAnExistingFile) {
    static CourseIndex index;
    char error[200] = "";
    ASSERT_EQ(parse("classic red track.tbk 65\nlong green courses/long.tbk 9\n", &index, error), 1);
    char path[64];
    EXPECT_EQ(resolveCourse(&index, "long", path, sizeof path), 1);
    EXPECT_STREQ(path, "courses/long.tbk");
    const std::string own = testing::TempDir() + "own.tbk";
    std::FILE* f = std::fopen(own.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    char longPath[1024];
    EXPECT_EQ(resolveCourse(&index, own.c_str(), longPath, sizeof longPath), 1);
    EXPECT_EQ(longPath, own);
    EXPECT_EQ(resolveCourse(&index, own.c_str(), path, 4), 0);  // does not fit
    EXPECT_EQ(resolveCourse(&index, "no-such-course", path, sizeof path), 0);
    EXPECT_EQ(resolveCourse(nullptr, own.c_str(), longPath, sizeof longPath), 1);
    std::remove(own.c_str());
    EXPECT_EQ(readCourseIndex((testing::TempDir() + "missing.idx").c_str(), &index, error, sizeof error), 0);
    EXPECT_NE(std::string(error).find(":0: cannot be opened"), std::string::npos);
}

}  // namespace
