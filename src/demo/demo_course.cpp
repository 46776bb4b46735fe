#include "demo/demo_course.h"

#include <dirent.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "coursegen/daily_file.h"
#include "menus/course_list.h"
#include "track/course_choice.h"

namespace {

bool matches(const std::string& file, uint64_t hash, char* path, size_t capacity) {
    int ok = 0;
    if (file.size() >= capacity || courseContentHash(file.c_str(), &ok) != hash || !ok) return false;
    std::memcpy(path, file.c_str(), file.size() + 1);
    return true;
}

bool searchFolder(const std::string& folder, uint64_t hash, char* path, size_t capacity) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return false;
    bool found = false;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tbk") == 0 &&
            matches(folder + "/" + name, hash, path, capacity)) {
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

}  // namespace

bool findCourseByHash(uint64_t hash, char* path, size_t capacity) {
    if (matches("track.tbk", hash, path, capacity)) return true;
    if (searchFolder(".", hash, path, capacity) || searchFolder("courses", hash, path, capacity)) return true;
    char own[CoursePathCapacity];
    return ownCoursesFolder(own, sizeof own) && searchFolder(own, hash, path, capacity);
}

bool findDemoCourse(const char* name, uint64_t hash, char* path, size_t capacity) {
    char daily[CoursePathCapacity], error[160];
    int days = 0;
    if (dailyCourseFileNamed(name, &days, daily, sizeof daily, error, sizeof error) > 0 &&
        matches(daily, hash, path, capacity))
        return true;
    return findCourseByHash(hash, path, capacity);
}
