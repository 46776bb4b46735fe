// The course index: which courses the data folder holds, with a name, a grade, the file,
// its length in tiles and its par. The format is described in course_index.cpp.
#pragma once

constexpr int CourseNameCapacity = 32, CourseGradeCapacity = 16, CourseFileCapacity = 64, CourseIndexCapacity = 64;

struct CourseIndexEntry {
    char name[CourseNameCapacity];
    char grade[CourseGradeCapacity];
    char file[CourseFileCapacity];  // relative to the data folder
    int tiles;
    int par;                        // the autopilot's ride iterations; 0 when not known
};

struct CourseIndex {
    CourseIndexEntry entries[CourseIndexCapacity];
    int count;
};

// Its name in the data folder.
extern const char CourseIndexFile[];

// Reads the index; on a malformed file returns 0 and writes "path:line: what is wrong"
// into error (line 0 when the file itself cannot be read).
int readCourseIndex(const char* path, CourseIndex* index, char* error, int errorSize);
// The same from text in memory; name stands for the file in error messages.
int parseCourseIndex(const char* text, int length, const char* name, CourseIndex* index, char* error,
                     int errorSize);
// The entry of that name, or null when absent.
const CourseIndexEntry* findCourse(const CourseIndex* index, const char* name);
// NAME from the index, or else a path to a course file that can be opened: writes the
// file to load into path; 0 when neither (or when it does not fit pathSize).
int resolveCourse(const CourseIndex* index, const char* nameOrPath, char* path, int pathSize);
