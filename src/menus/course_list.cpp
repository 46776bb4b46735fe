#include "menus/course_list.h"

#include <dirent.h>
#include <sys/stat.h>

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "coursegen/daily_course.h"
#include "coursegen/daily_file.h"

#include "files/folders.h"
#include "race/course_start.h"
#include "track/course_check.h"
#include "track/course_proof.h"
#include "track/course_walk.h"

CourseList Courses;

namespace {

const char ShippedCourseName[] = "classic";

// Copies what fits, cut short when it does not.
void copyText(char* to, int size, const char* from) {
    const size_t n = strnlen(from, size_t(size) - 1);
    std::memcpy(to, from, n);
    to[n] = 0;
}

CourseListEntry* addEntry(CourseList* list) {
    if (list->count == CourseListCapacity) return nullptr;
    CourseListEntry* e = &list->entries[list->count++];
    *e = CourseListEntry{};
    e->usable = 1;
    return e;
}

// A daily course: its file made from the date, its par when an autopilot's proof lies
// beside it (0 until then).
CourseListEntry* addDailyCourse(CourseList* list, int days) {
    CourseListEntry* e = addEntry(list);
    if (!e) return nullptr;
    dailyCourseName(days, e->name);
    e->daily = 1;
    const DailyPlan plan = dailyPlan(days);
    copyText(e->grade, sizeof e->grade, plan.grade->name);
    e->tiles = plan.tiles;
    if (!dailyCourseFile(days, e->path, sizeof e->path, e->problem, sizeof e->problem)) {
        e->usable = 0;
        return e;
    }
    e->par = provedCoursePar(e->path);
    return e;
}

void addDailyCourses(CourseList* list) {
    const int today = todayUtc();
    for (int back = 0; back < DailyCoursesShown; ++back) addDailyCourse(list, today - back);
}

void addShippedCourses(CourseList* list) {
    static CourseIndex index;
    char error[160] = "";
    if (!readCourseIndex(CourseIndexFile, &index, error, sizeof error)) {
        std::fprintf(stderr, "tumblegrade: %s\n", error);
        index.count = 0;
    }
    if (index.count == 0 || std::strcmp(index.entries[0].file, "track.tbk") != 0) {
        // Whatever the index says, the shipped course is there and first.
        CourseListEntry* e = addEntry(list);
        copyText(e->name, sizeof e->name, ShippedCourseName);
        copyText(e->grade, sizeof e->grade, "-");
        copyText(e->path, sizeof e->path, "track.tbk");
    }
    for (int i = 0; i < index.count; ++i) {
        const CourseIndexEntry& in = index.entries[i];
        CourseListEntry* e = addEntry(list);
        if (!e) return;
        copyText(e->name, sizeof e->name, in.name);
        copyText(e->grade, sizeof e->grade, in.grade);
        copyText(e->path, sizeof e->path, in.file);
        e->tiles = in.tiles;
        e->par = in.par;
    }
}

// Built tiles of a course file, by the loader's rules.
int countTiles(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return 0;
    CourseWalk walk;
    std::string line;
    int tiles = 0;
    while (readTrackLine(file, line))
        if (courseLineBuilt(walk, line.c_str())) ++tiles;
    std::fclose(file);
    return tiles;
}

// Files beside the courses: their proofs, and a save's new file before its rename.
bool endsWith(const char* name, const char* end) {
    const size_t n = std::strlen(name), e = std::strlen(end);
    return n >= e && std::strcmp(name + n - e, end) == 0;
}

bool isRegularFile(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

void addOwnCourse(CourseList* list, const char* folder, const char* fileName) {
    char path[CoursePathCapacity];
    const int n = std::snprintf(path, sizeof path, "%s/%s", folder, fileName);
    if (n <= 0 || n >= int(sizeof path) || !isRegularFile(path)) return;
    CourseListEntry* e = addEntry(list);
    if (!e) return;
    copyText(e->path, sizeof e->path, path);
    copyText(e->name, sizeof e->name, fileName);
    if (char* dot = std::strrchr(e->name, '.'); dot && dot != e->name) *dot = 0;
    copyText(e->grade, sizeof e->grade, "own");
    e->own = 1;
    if (firstCourseProblem(path, e->problem, sizeof e->problem)) {
        e->usable = 0;
        return;
    }
    e->tiles = countTiles(path);
    e->par = provedCoursePar(path);  // 0: not proved
}

void addOwnCourses(CourseList* list) {
    char folder[CoursePathCapacity];
    if (!ownCoursesFolder(folder, sizeof folder)) return;
    DIR* dir = opendir(folder);
    if (!dir) return;
    const int first = list->count;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.' || endsWith(entry->d_name, ".proof") || endsWith(entry->d_name, ".new")) continue;
        if (strncasecmp(entry->d_name, DailyPrefix, sizeof DailyPrefix - 1) == 0) {
            std::fprintf(stderr, "tumblegrade: %s/%s is not listed: names beginning with daily are the daily courses'\n",
                         folder, entry->d_name);
            continue;
        }
        addOwnCourse(list, folder, entry->d_name);
    }
    closedir(dir);
    std::sort(list->entries + first, list->entries + list->count,
              [](const CourseListEntry& a, const CourseListEntry& b) { return std::strcmp(a.name, b.name) < 0; });
}

}  // namespace

int ownCoursesFolder(char* folder, int size) { return xdgPath(XdgData, "courses", folder, size_t(size)); }

void gatherCourses(CourseList* list) {
    list->count = 0;
    addDailyCourses(list);
    addShippedCourses(list);
    addOwnCourses(list);
}

int chosenCourseEntry(const CourseList* list) {
    for (int i = 0; i < list->count; ++i)
        if (std::strcmp(list->entries[i].path, chosenCourseFile()) == 0) return i;
    return -1;
}

int courseEntryNamed(const CourseList* list, const char* name) {
    for (int i = 0; i < list->count; ++i)
        if (std::strcmp(list->entries[i].name, name) == 0) return i;
    return -1;
}

int takeCourse(const CourseListEntry& entry) {
    if (!entry.usable) return 0;
    char problem[CourseProblemCapacity];
    if (entry.own && firstCourseProblem(entry.path, problem, sizeof problem)) return 0;  // changed since listed
    if (!chooseCourseFile(entry.path)) return 0;
    setChosenCourseLabel(entry.name, entry.par);
    returnToCourseStart();
    return 1;
}

int chooseCourseAtStart(const char* nameOrPath, const char* startFolder, char* error, int errorSize) {
    gatherCourses(&Courses);
    int entry = courseEntryNamed(&Courses, nameOrPath);
    CourseListEntry* e = nullptr;
    int days = 0;
    char dailyPath[CoursePathCapacity];
    const int daily = entry >= 0 ? 0 : dailyCourseFileNamed(nameOrPath, &days, dailyPath, sizeof dailyPath, error, errorSize);
    if (daily < 0) return 0;
    if (daily > 0) {
        char name[DailyNameCapacity];
        dailyCourseName(days, name);
        entry = courseEntryNamed(&Courses, name);
        e = entry >= 0 ? &Courses.entries[entry] : addDailyCourse(&Courses, days);
    } else if (entry >= 0) {
        e = &Courses.entries[entry];
    } else if ((e = addEntry(&Courses)) != nullptr) {
        // Not a name: a course file, relative to the folder the game was started from.
        if (nameOrPath[0] == '/')
            copyText(e->path, sizeof e->path, nameOrPath);
        else
            std::snprintf(e->path, sizeof e->path, "%s/%s", startFolder, nameOrPath);
        const char* slash = std::strrchr(e->path, '/');
        copyText(e->name, sizeof e->name, slash ? slash + 1 : e->path);
        if (char* dot = std::strrchr(e->name, '.'); dot && dot != e->name) *dot = 0;
        if (!isRegularFile(e->path)) {
            std::snprintf(error, size_t(errorSize), "no course named %s, and no course file there", nameOrPath);
            --Courses.count;
            return 0;
        }
        e->usable = !firstCourseProblem(e->path, e->problem, sizeof e->problem);
        e->own = 1;
    }
    if (!e || !e->usable) {
        std::snprintf(error, size_t(errorSize), "course %s cannot be ridden: %s", nameOrPath, e ? e->problem : "too many courses");
        return 0;
    }
    if (!chooseCourseFile(e->path)) {
        std::snprintf(error, size_t(errorSize), "course path too long: %s", nameOrPath);
        return 0;
    }
    setChosenCourseLabel(e->name, e->par);
    return 1;
}
