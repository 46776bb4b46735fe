#include "track/course_choice.h"

#include <cstdio>
#include <cstring>

#include "files/content_hash.h"

namespace {

const char ShippedCourse[] = "track.tbk";
char ChosenCourse[CoursePathCapacity] = "track.tbk";
char ChosenName[64] = "";
int ChosenPar = 0;
const char* ChosenText = nullptr;  // a course in memory, chosen over the file
int ChosenTextSize = 0;

}  // namespace

int chooseCourseFile(const char* path) {
    if (path == nullptr || path[0] == 0) path = ShippedCourse;
    if (std::strlen(path) >= sizeof ChosenCourse) return 0;
    std::snprintf(ChosenCourse, sizeof ChosenCourse, "%s", path);
    ChosenText = nullptr;
    return 1;
}

const char* chosenCourseFile() { return ChosenText ? "" : ChosenCourse; }

void chooseCourseText(const char* text, int size) {
    ChosenText = text ? text : "";
    ChosenTextSize = text && size > 0 ? size : 0;
}

const char* chosenCourseText(int* size) {
    *size = ChosenTextSize;
    return ChosenText;
}

int shippedCourseChosen() { return !ChosenText && std::strcmp(ChosenCourse, ShippedCourse) == 0; }

uint64_t courseTextHash(const char* text, int size) {
    return contentHash(text, size > 0 ? size_t(size) : 0);
}

uint64_t courseContentHash(const char* path, int* ok) {
    uint64_t hash = 0;
    *ok = fileContentHash(path, &hash) ? 1 : 0;
    return *ok ? hash : 0;
}

void setChosenCourseLabel(const char* name, int par) {
    std::snprintf(ChosenName, sizeof ChosenName, "%s", name ? name : "");
    ChosenPar = par > 0 ? par : 0;
}

const char* chosenCourseName() { return ChosenName; }

int chosenCoursePar() { return ChosenPar; }
