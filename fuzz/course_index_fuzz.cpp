// The course index reader on any bytes; every entry it accepts is then looked up by its
// name and resolved to its file.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "track/course_index.h"

namespace {

bool terminated(const char* text, int capacity) { return std::memchr(text, 0, size_t(capacity)) != nullptr; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CourseIndex index;
    char error[160];
    error[0] = 0;
    if (size > 1 << 16) return 0;
    if (!parseCourseIndex(reinterpret_cast<const char*>(data), int(size), "fuzz", &index, error, sizeof error)) {
        if (error[0] == 0 || index.count != 0) __builtin_trap();  // a refused index says why and lists nothing
        return 0;
    }
    if (index.count < 1 || index.count > CourseIndexCapacity) __builtin_trap();
    for (int i = 0; i < index.count; ++i) {
        const CourseIndexEntry& e = index.entries[i];
        if (!terminated(e.name, CourseNameCapacity) || !terminated(e.grade, CourseGradeCapacity) ||
            !terminated(e.file, CourseFileCapacity) || e.tiles < 1 || e.par < 0)
            __builtin_trap();
        if (findCourse(&index, e.name) != &e) __builtin_trap();  // names are unique
        char path[CourseFileCapacity];
        if (!resolveCourse(&index, e.name, path, sizeof path) || std::strcmp(path, e.file) != 0) __builtin_trap();
        if (e.file[0] == '/' || std::strncmp(e.file, "../", 3) == 0 || std::strstr(e.file, "/../")) __builtin_trap();
    }
    return 0;
}
