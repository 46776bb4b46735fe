// The course generator: a course from a seed, a grade and a length, in the course file
// format, as the same bytes on every build (integer arithmetic only).
#pragma once

#include <cstdint>
#include <string>

// How a grade feels, gentle to hard. Shares are in percent.
struct CourseGrade {
    const char* name;
    int curveShare;     // a turn where one may come
    int minGap;         // straight tiles at least between two turns
    int sharpShare;     // of the turns, sharp corners ('e', 'i', 'a')
    int minSlope, maxSlope;
    int jumpShare;      // of the straight tiles
    int bendShare;      // S-bends
    int shiftShare;     // lane shifts ('e' then 'a')
    int objectShare;    // straight tiles with gates, trees or signs
};

// Grades from gentle to hard; null terminated by count.
extern const CourseGrade CourseGrades[];
extern const int CourseGradeCount;
const CourseGrade* findCourseGrade(const char* name);

// The tiles of a course are limited to this range.
constexpr int MinCourseTiles = 12, MaxCourseTiles = 1000;

// The course text: a comment line naming seed, grade and length, then one tile a line.
// tiles counts the built tiles (tiles >= MinCourseTiles).
std::string generateCourse(uint64_t seed, const CourseGrade& grade, int tiles);
