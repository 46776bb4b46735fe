#include "track/course_choice.h"

#include <cstdio>
#include <cstring>

namespace {

const char ShippedCourse[] = "track.tbk";
char ChosenCourse[CoursePathCapacity] = "track.tbk";
char ChosenName[64] = "";
int ChosenPar = 0;
const char* ChosenText = nullptr;  // a course in memory, chosen over the file
int ChosenTextSize = 0;

constexpr uint64_t FnvOffset = 14695981039346656037ull;
constexpr uint64_t FnvPrime = 1099511628211ull;

uint64_t addToHash(uint64_t hash, const unsigned char* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * FnvPrime;
    return hash;
}

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
    return addToHash(FnvOffset, reinterpret_cast<const unsigned char*>(text), size > 0 ? size_t(size) : 0);
}

uint64_t courseContentHash(const char* path, int* ok) {
    *ok = 0;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return 0;
    uint64_t hash = FnvOffset;
    unsigned char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) hash = addToHash(hash, buffer, got);
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
