#include "editor/course_save.h"

#include <cstdio>
#include <cstring>

#include "files/folders.h"
#include "files/safe_write.h"
#include "menus/course_list.h"

namespace {

bool nameCharacter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'; }

bool startsWithDaily(const char* name) {
    const char daily[] = "daily";
    for (int i = 0; daily[i]; ++i)
        if (name[i] == 0 || (name[i] | 0x20) != daily[i]) return false;
    return true;
}

}  // namespace

int ownCourseNameAllowed(const char* name, char* why, int whySize) {
    const size_t length = std::strlen(name);
    const char* reason = nullptr;
    if (length == 0 || length >= size_t(OwnCourseNameCapacity))
        reason = "a name has 1 to 24 letters, digits or '-'";
    for (size_t i = 0; !reason && i < length; ++i)
        if (!nameCharacter(name[i])) reason = "a name has only letters, digits and '-'";
    if (!reason && startsWithDaily(name)) reason = "names beginning with \"daily\" are the daily courses'";
    if (!reason) {
        static CourseList list;
        gatherCourses(&list);
        const int entry = courseEntryNamed(&list, name);
        if (entry >= 0 && !list.entries[entry].own) reason = "that is a shipped course's name";
    }
    if (reason) std::snprintf(why, size_t(whySize), "%s", reason);
    return reason ? 0 : 1;
}

int ownCoursePath(const char* name, char* path, int pathSize) {
    char folder[CoursePathCapacity];
    if (!ownCoursesFolder(folder, sizeof folder)) return 0;
    const int n = std::snprintf(path, size_t(pathSize), "%s/%s.tbk", folder, name);
    return n > 0 && n < pathSize ? 1 : 0;
}

int saveOwnCourse(const char* name, const char* text, int size, char* path, int pathSize) {
    char folder[CoursePathCapacity];
    if (!ownCoursesFolder(folder, sizeof folder) || !makeFolders(folder)) return 0;
    if (!ownCoursePath(name, path, pathSize)) return 0;
    return writeFileSafely(path, text, size_t(size)) ? 1 : 0;
}
