// The daily course: the frozen rule gives the same bytes for a date on every build (the
// pinned fingerprints fail when a change to the generator or the rule moves any byte),
// the courses pass the checker, dates and names are read strictly, and the course file
// in the cache folder is made again from the date.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "coursegen/daily_course.h"
#include "coursegen/daily_file.h"
#include "files/file_read.h"
#include "support/test_support.h"
#include "track/course_check.h"
#include "track/course_choice.h"

namespace {

int dayOf(const char* date) {
    int days = -1;
    EXPECT_TRUE(parseDailyDate(date, &days)) << date;
    return days;
}

TEST(DailyCourse, FrozenBytesOfAFewDatesThatPassTheChecker) {
    const struct {
        const char* date;
        uint64_t hash;
        const char* grade;  // by the weekday
    } Pinned[] = {
        {"2026-12-10", 0xb6fdcbe92c3619e9ull, "red"},    // Thursday
        {"2026-12-12", 0xd54a5881d7d8c825ull, "black"},  // Saturday
        {"2027-01-04", 0xf2ad63a154535c6aull, "green"},  // Monday
        {"2028-02-29", 0xa7b7a5296a1e9bb5ull, "blue"},   // Tuesday
    };
    for (const auto& pin : Pinned) {
        const int days = dayOf(pin.date);
        const std::string text = dailyCourseText(days);
        EXPECT_EQ(courseTextHash(text.data(), int(text.size())), pin.hash) << pin.date;
        EXPECT_EQ(text.rfind(std::string("#daily ") + pin.date + "\n#gen ", 0), 0u) << pin.date;
        EXPECT_STREQ(dailyPlan(days).grade->name, pin.grade) << pin.date;
        char problem[160] = "";
        EXPECT_EQ(firstCourseTextProblem(text.data(), int(text.size()), problem, sizeof problem), 0) << problem;
    }
}

TEST(DailyCourse, DatesAreReadStrictlyAndWrittenBackTheSame) {
    int days = 0;
    for (const char* bad : {"2026-02-29", "2026-13-01", "2026-00-10", "2026-12-32", "1999-12-31", "2026-1-01",
                            "2026-12-10x", "2026/12/10", "+026-12-10", ""})
        EXPECT_FALSE(parseDailyDate(bad, &days)) << bad;
    EXPECT_EQ(dayOf("2000-01-01"), 10957);  // days from 1970-01-01
    EXPECT_EQ(dayOf("2000-03-01") - dayOf("2000-02-28"), 2);  // 2000 is a leap year
    char text[11];
    for (int d = dayOf("2000-01-01"); d < dayOf("2000-01-01") + 3000; d += 7) {
        dailyDateText(d, text);
        EXPECT_EQ(dayOf(text), d);
    }
    dailyDateText(dayOf("9999-12-31"), text);
    EXPECT_STREQ(text, "9999-12-31");
}

TEST(DailyCourse, NamesGiveTodayAGivenDateOrAClearError) {
    const int today = dayOf("2026-12-10");
    int days = 0;
    char error[160] = "", name[DailyNameCapacity];
    EXPECT_EQ(readDailyName("classic", today, &days, error, sizeof error), NotDailyName);
    EXPECT_EQ(readDailyName("daily", today, &days, error, sizeof error), DailyName);
    EXPECT_EQ(days, today);
    EXPECT_EQ(readDailyName("daily-2027-01-04", today, &days, error, sizeof error), DailyName);
    dailyCourseName(days, name);
    EXPECT_STREQ(name, "daily-2027-01-04");
    for (const char* bad : {"daily-2027-02-30", "dailyish", "daily-"}) {
        error[0] = 0;
        EXPECT_EQ(readDailyName(bad, today, &days, error, sizeof error), BadDailyName) << bad;
        EXPECT_NE(std::string(error).find("daily-YYYY-MM-DD"), std::string::npos) << error;
    }
}

TEST(DailyCourse, TheFileIsMadeFromTheDateAndAWrongOneMovedAside) {
    const std::string cache = makeTempDir("daily-cache");
    setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    char path[1024], error[160];
    int days = 0;
    EXPECT_EQ(dailyCourseFileNamed("daily.tbk", &days, path, sizeof path, error, sizeof error), 0);  // a file
    EXPECT_EQ(dailyCourseFileNamed("daily-2026-02-29", &days, path, sizeof path, error, sizeof error), -1);
    ASSERT_EQ(dailyCourseFileNamed("daily-2026-12-10", &days, path, sizeof path, error, sizeof error), 1) << error;
    EXPECT_EQ(std::string(path), cache + "/tumblegrade/daily/daily-2026-12-10.tbk");
    std::string text;
    ASSERT_EQ(readFileText(path, &text, 1 << 20), FileReadWhole);
    EXPECT_EQ(text, dailyCourseText(days));
    writeTextFile(path, "z1 0 0\n");  // not the date's course
    ASSERT_TRUE(dailyCourseFile(days, path, sizeof path, error, sizeof error)) << error;
    ASSERT_EQ(readFileText(path, &text, 1 << 20), FileReadWhole);
    EXPECT_EQ(text, dailyCourseText(days));
    EXPECT_EQ(std::system(("ls '" + cache + "/tumblegrade/daily/' | grep -q '\\.tbk\\.damaged-'").c_str()), 0);
    unsetenv("XDG_CACHE_HOME");
}

}  // namespace
