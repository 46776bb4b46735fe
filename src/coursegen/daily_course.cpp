#include "coursegen/daily_course.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "base/civil_date.h"
#include "track/course_check.h"

namespace {

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
    static const int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leapYear(y) ? 29 : Days[m - 1];
}

// The digits of text[from, from + count) as a number; -1 when one is not a digit.
int digits(const char* text, int from, int count) {
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Monday 0 ... Sunday 6; 1970-01-01 was a Thursday.
int weekday(int days) { return ((days % 7) + 7 + 3) % 7; }

//                                      Mon      Tue     Wed     Thu    Fri    Sat      Sun
const char* const WeekdayGrades[7] = {"green", "blue", "blue", "red", "red", "black", "green"};

}  // namespace

bool parseDailyDate(const char* text, int* days) {
    if (std::strlen(text) != 10 || text[4] != '-' || text[7] != '-') return false;
    const int y = digits(text, 0, 4), m = digits(text, 5, 2), d = digits(text, 8, 2);
    if (y < DailyFirstYear || y > DailyLastYear || m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m)) return false;
    *days = int(daysFromCivil(y, m, d));
    return true;
}

void dailyDateText(int days, char out[11]) {
    int64_t y = 0, m = 0, d = 0;
    civilFromDays(days, &y, &m, &d);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", int(y % 10000), int(m % 100), int(d % 100));
    std::memcpy(out, text, 11);
}

int todayUtc() {
    const long long seconds = (long long)std::time(nullptr);
    return int(seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400);
}

DailyNameKind readDailyName(const char* name, int today, int* days, char* error, int errorSize) {
    const size_t prefix = sizeof DailyPrefix - 1;
    if (std::strncmp(name, DailyPrefix, prefix) != 0) return NotDailyName;
    if (name[prefix] == 0) {
        *days = today;
        return DailyName;
    }
    if (name[prefix] == '-' && parseDailyDate(name + prefix + 1, days)) return DailyName;
    std::snprintf(error, size_t(errorSize), "%.40s is no daily course: say daily or daily-YYYY-MM-DD, a date from %d to %d",
                  name, DailyFirstYear, DailyLastYear);
    return BadDailyName;
}

void dailyCourseName(int days, char out[DailyNameCapacity]) {
    char date[11];
    dailyDateText(days, date);
    std::snprintf(out, DailyNameCapacity, "%s-%s", DailyPrefix, date);
}

DailyPlan dailyPlanTry(int days, int k) {
    const uint32_t h = uint32_t(days) * 2654435761u + uint32_t(k) * 40503u;
    return DailyPlan{h, findCourseGrade(WeekdayGrades[weekday(days)]), 40 + int((h >> 8) % 81)};
}

namespace {

std::string dailyTextOf(int days, const DailyPlan& plan) {
    char date[11];
    dailyDateText(days, date);
    return std::string("#daily ") + date + "\n" + generateCourse(plan.seed, *plan.grade, plan.tiles);
}

}  // namespace

DailyPlan dailyPlan(int days) {
    for (int k = 0; k < DailyTries; ++k) {
        const DailyPlan plan = dailyPlanTry(days, k);
        const std::string text = dailyTextOf(days, plan);
        char problem[160];
        if (!firstCourseTextProblem(text.data(), int(text.size()), problem, sizeof problem)) return plan;
    }
    return DailyPlan{dailyPlanTry(days, 0).seed, findCourseGrade("green"), 40};
}

std::string dailyCourseText(int days) { return dailyTextOf(days, dailyPlan(days)); }
