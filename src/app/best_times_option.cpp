#include "app/best_times_option.h"

#include <cstring>
#include <strings.h>

#include "records/best_times.h"
#include "records/records_store.h"
#include "track/course_choice.h"

namespace {

constexpr int CourseCapacity = 256;

int printEveryCourse(FILE* out, const RecordTable& table) {
    uint64_t courses[CourseCapacity];
    const int count = coursesWithRecords(table, courses, CourseCapacity);
    if (count == 0) std::fprintf(out, "No runs kept yet.\n");
    for (int i = 0; i < count; ++i) {
        if (i) std::fputc('\n', out);
        printBestTimes(out, table, courses[i]);
    }
    return 0;
}

// Every course whose runs were kept under this name. Returns how many were printed.
int printNamed(FILE* out, const RecordTable& table, const char* name) {
    uint64_t courses[CourseCapacity];
    const int count = coursesWithRecords(table, courses, CourseCapacity);
    int printed = 0;
    for (int i = 0; i < count; ++i) {
        const RunRecord* latest = latestRunOf(table, courses[i]);
        if (strcasecmp(latest->courseName, name) != 0) continue;
        if (printed++) std::fputc('\n', out);
        printBestTimes(out, table, courses[i]);
    }
    return printed;
}

}  // namespace

int answerBestTimesOption(int argc, char** argv, FILE* out) {
    int at = -1;
    for (int i = 1; i < argc && at < 0; ++i)
        if (argv[i] && std::strcmp(argv[i], "--best-times") == 0) at = i;
    if (at < 0) return -1;
    const char* course = at + 1 < argc && argv[at + 1] && argv[at + 1][0] != '-' ? argv[at + 1] : nullptr;
    RecordTable table;
    loadRecords(&table);
    if (!course) return printEveryCourse(out, table);
    if (printNamed(out, table, course) > 0) return 0;
    int readable = 0;
    const uint64_t hash = courseContentHash(course, &readable);
    if (!readable) {
        std::fprintf(stderr, "tumblegrade: no runs of a course named %s, and no course file of that name\n", course);
        return 1;
    }
    if (latestRunOf(table, hash))
        printBestTimes(out, table, hash);
    else
        std::fprintf(out, "%s: no runs kept yet.\n", course);
    return 0;
}
