// tumblegrade-coursegen --seed N --grade NAME --tiles N [-o FILE]: writes a course.
// tumblegrade-coursegen --daily YYYY-MM-DD [-o FILE]: writes that date's daily course.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "coursegen/course_generator.h"
#include "coursegen/daily_course.h"
#include "lang/translation.h"

namespace {

int usage() {
    std::fprintf(stderr, "%s", tr("usage: tumblegrade-coursegen --seed N --grade NAME --tiles N [-o FILE]\n"
                                  "       tumblegrade-coursegen --daily YYYY-MM-DD [-o FILE]\n"
                                  "grades, gentle to hard:"));
    for (int i = 0; i < CourseGradeCount; ++i) std::fprintf(stderr, " %s", CourseGrades[i].name);
    std::fprintf(stderr, tr("\ntiles: %d to %d\n"), MinCourseTiles, MaxCourseTiles);
    return 2;
}

bool readWhole(const char* text, unsigned long long limit, unsigned long long* value) {
    if (!text[0] || text[0] == '-' || text[0] == '+') return false;
    char* end = nullptr;
    errno = 0;
    *value = std::strtoull(text, &end, 10);
    return errno == 0 && *end == 0 && *value <= limit;
}

}  // namespace

int main(int argc, char** argv) {
    startTranslation(nullptr);
    unsigned long long seed = 0, tiles = 0;
    const CourseGrade* grade = nullptr;
    const char* out = nullptr;
    bool haveSeed = false;
    int dailyDays = 0;
    bool daily = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (i + 1 >= argc) return usage();
        const char* value = argv[++i];
        if (std::strcmp(arg, "--seed") == 0) {
            if (!readWhole(value, 0xFFFFFFFFull, &seed)) return usage();
            haveSeed = true;
        } else if (std::strcmp(arg, "--grade") == 0) {
            if (!(grade = findCourseGrade(value))) return usage();
        } else if (std::strcmp(arg, "--tiles") == 0) {
            if (!readWhole(value, MaxCourseTiles, &tiles) || tiles < MinCourseTiles) return usage();
        } else if (std::strcmp(arg, "--daily") == 0) {
            if (!parseDailyDate(value, &dailyDays)) {
                std::fprintf(stderr, "tumblegrade-coursegen: %s is no date YYYY-MM-DD from %d to %d\n", value,
                             DailyFirstYear, DailyLastYear);
                return 2;
            }
            daily = true;
        } else if (std::strcmp(arg, "-o") == 0) {
            out = value;
        } else {
            return usage();
        }
    }
    if (daily && (haveSeed || grade || tiles)) return usage();
    if (!daily && (!haveSeed || !grade || tiles == 0)) return usage();
    const std::string course = daily ? dailyCourseText(dailyDays) : generateCourse(seed, *grade, int(tiles));
    FILE* file = out ? std::fopen(out, "wb") : stdout;
    if (!file) {
        std::fprintf(stderr, tr("tumblegrade-coursegen: cannot write %s: %s\n"), out, std::strerror(errno));
        return 1;
    }
    const bool written = std::fwrite(course.data(), 1, course.size(), file) == course.size();
    const bool closed = out ? std::fclose(file) == 0 : std::fflush(file) == 0;
    if (!written || !closed) {
        std::fprintf(stderr, "tumblegrade-coursegen: cannot write %s\n", out ? out : "the course");
        return 1;
    }
    return 0;
}
