#include "track/course_choice.h"

#include <cstdio>
#include <cstring>

namespace {

const char ShippedCourse[] = "track.tbk";
char ChosenCourse[CoursePathCapacity] = "track.tbk";
char ChosenName[64] = "";
int ChosenPar = 0;

constexpr uint64_t FnvOffset = 14695981039346656037ull;
constexpr uint64_t FnvPrime = 1099511628211ull;

}  // namespace

int chooseCourseFile(const char* path) {
    if (path == nullptr || path[0] == 0) path = ShippedCourse;
    if (std::strlen(path) >= sizeof ChosenCourse) return 0;
    std::snprintf(ChosenCourse, sizeof ChosenCourse, "%s", path);
    return 1;
}

const char* chosenCourseFile() { return ChosenCourse; }

int shippedCourseChosen() { return std::strcmp(ChosenCourse, ShippedCourse) == 0; }

uint64_t courseContentHash(const char* path, int* ok) {
    *ok = 0;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return 0;
    uint64_t hash = FnvOffset;
    unsigned char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        for (size_t i = 0; i < got; ++i) hash = (hash ^ buffer[i]) * FnvPrime;
    *ok = std::ferror(file) ? 0 : 1;
    std::fclose(file);
    return *ok ? hash : 0;
}

void setChosenCourseLabel(const char* name, int par) {
    std::snprintf(ChosenName, sizeof ChosenName, "%s", name ? name : "");
    ChosenPar = par > 0 ? par : 0;
}

const char* chosenCourseName() { return ChosenName; }

int chosenCoursePar() { return ChosenPar; }
