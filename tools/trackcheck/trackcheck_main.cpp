// tumblegrade-trackcheck FILE: checks a course; exits 1 when it has a problem.
#include <cstdio>

#include "lang/translation.h"
#include "track/course_check.h"

int main(int argc, char** argv) {
    startTranslation(nullptr);
    if (argc != 2) {
        std::fprintf(stderr, "%s", tr("usage: tumblegrade-trackcheck FILE\n"));
        return 2;
    }
    FILE* file = std::fopen(argv[1], "rb");
    if (!file) {
        std::fprintf(stderr, tr("tumblegrade-trackcheck: cannot open %s\n"), argv[1]);
        return 2;
    }
    const CourseReport report = checkCourse(file, argv[1], stdout);
    std::fclose(file);
    return report.problems > 0 ? 1 : 0;
}
