// The course generator: the shipped generated courses come out again byte for byte from
// the seed, grade and length in their first line, and every grade gives courses the
// checker accepts without a problem or a warning.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>

#include "coursegen/course_generator.h"
#include "track/course_check.h"

namespace {

TEST(CourseGenerator, ShippedCoursesComeOutAgainFromTheirSeeds) {
    const std::string folder = std::string(TG_SOURCE_DIR) + "/data/courses/";
    DIR* dir = opendir(folder.c_str());
    ASSERT_NE(dir, nullptr);
    int checked = 0;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() < 5 || name.substr(name.size() - 4) != ".tbk") continue;
        std::ifstream in(folder + name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        unsigned long long seed = 0;
        char grade[16] = "";
        int tiles = 0;
        ASSERT_EQ(std::sscanf(text.str().c_str(), "#gen %llu %15s %d", &seed, grade, &tiles), 3) << name;
        const CourseGrade* g = findCourseGrade(grade);
        ASSERT_NE(g, nullptr) << name;
        EXPECT_EQ(generateCourse(seed, *g, tiles), text.str()) << name;
        ++checked;
    }
    closedir(dir);
    EXPECT_GE(checked, 8);
}

TEST(CourseGenerator, EveryGradeGivesCleanCoursesOfTheAskedLength) {
    for (int g = 0; g < CourseGradeCount; ++g)
        for (uint64_t seed : {0ull, 7ull, 4294967295ull})
            for (int tiles : {MinCourseTiles, 30, 200}) {
                const std::string course = generateCourse(seed, CourseGrades[g], tiles);
                FILE* file = fmemopen(const_cast<char*>(course.data()), course.size(), "rb");
                ASSERT_NE(file, nullptr);
                char findings[4096] = "";
                FILE* out = fmemopen(findings, sizeof findings - 1, "w");
                const CourseReport report = checkCourse(file, "generated", out);
                std::fclose(out);
                std::fclose(file);
                EXPECT_EQ(report.builtSegments, tiles);
                EXPECT_EQ(report.problems + report.warnings, 0)
                    << CourseGrades[g].name << " " << seed << " " << tiles << "\n" << findings;
            }
}

}  // namespace
