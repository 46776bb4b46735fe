// The daily course: every UTC date has a course, made by the course generator from the
// date alone, the same bytes on every machine. The rule that turns a date into a seed,
// a grade and a length is frozen (docs/DAILY_COURSE.md): a date's course never changes.
//   d       days from 1970-01-01 to the date
//   grade   by the weekday: Monday green, Tuesday blue, Wednesday blue, Thursday red,
//           Friday red, Saturday black, Sunday green
//   try k   h = (d * 2654435761 + k * 40503) mod 2^32; seed = h; tiles = 40 + (h >> 8) mod 81
//           for k = 0, 1, ... 7: the first course the checker passes without a problem is
//           the day's; when none does, the try-0 seed on 40 green tiles.
//   text    "#daily YYYY-MM-DD" then the generator's course.
// Its name is daily-YYYY-MM-DD; "daily" alone names today's (UTC).
#pragma once

#include <cstdint>
#include <string>

#include "coursegen/course_generator.h"

// Dates from 2000-01-01 to 9999-12-31.
constexpr int DailyFirstYear = 2000, DailyLastYear = 9999;
constexpr int DailyTries = 8;
constexpr int DailyNameCapacity = 17;  // "daily-YYYY-MM-DD" and its end
constexpr char DailyPrefix[] = "daily";

struct DailyPlan {
    uint32_t seed;
    const CourseGrade* grade;
    int tiles;
};

// "YYYY-MM-DD" (exactly ten characters, a real date in range) into days from
// 1970-01-01; false otherwise.
bool parseDailyDate(const char* text, int* days);
// The date of days as "YYYY-MM-DD".
void dailyDateText(int days, char out[11]);
// Today, UTC, in days from 1970-01-01.
int todayUtc();

// What a course name says: not a daily name, a daily course's date in *days, or a name
// beginning with "daily" that is no valid daily name (the reason in error).
enum DailyNameKind { NotDailyName = 0, DailyName, BadDailyName };
DailyNameKind readDailyName(const char* name, int today, int* days, char* error, int errorSize);
// "daily-YYYY-MM-DD".
void dailyCourseName(int days, char out[DailyNameCapacity]);

// The plan of the rule's try k for the date.
DailyPlan dailyPlanTry(int days, int k);
// The plan the whole rule chooses for the date.
DailyPlan dailyPlan(int days);
// The day's course text by the whole rule.
std::string dailyCourseText(int days);
