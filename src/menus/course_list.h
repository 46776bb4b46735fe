// Every course a player can ride: the daily courses of today (UTC) and the six days
// before, the shipped ones of the data folder's index, then the player's own from
// $XDG_DATA_HOME/tumblegrade/courses/ (never one named daily...: that name is the daily
// courses'), each checked before it can be chosen. Taking one makes it the course of the
// following runs.
#pragma once

#include "track/course_choice.h"
#include "track/course_index.h"

constexpr int CourseListCapacity = 96;
constexpr int CourseProblemCapacity = 96;
constexpr int DailyCoursesShown = 7;  // a daily course stays on the list for seven days

struct CourseListEntry {
    char name[CourseNameCapacity];
    char grade[CourseGradeCapacity];
    char path[CoursePathCapacity];  // as the loader opens it from the data folder
    int tiles;
    int par;                        // ride steps, 0 when not known
    int own;                        // from the player's folder
    int daily;                      // a daily course (its file made from its date)
    int usable;                     // 0: it cannot be ridden, problem says why
    char problem[CourseProblemCapacity];
};

struct CourseList {
    CourseListEntry entries[CourseListCapacity];
    int count;
};

extern CourseList Courses;

// The player's course folder; 0 when neither XDG_DATA_HOME nor HOME is set.
int ownCoursesFolder(char* folder, int size);
// Reads the index in the current (data) folder and the player's folder into list. A
// broken index is said in one line on standard error; the shipped course is always there.
void gatherCourses(CourseList* list);
// The entry of the chosen course, or -1.
int chosenCourseEntry(const CourseList* list);
// The entry whose name is name, or -1.
int courseEntryNamed(const CourseList* list, const char* name);
// Makes the entry the course of the following runs and puts the rider at its start.
// 0 for an entry that cannot be ridden.
int takeCourse(const CourseListEntry& entry);
// At start-up, before the course is loaded: a course name (daily, daily-YYYY-MM-DD,
// shipped or own) or a course file, relative to startFolder. 0 with the reason in error when it cannot be ridden.
int chooseCourseAtStart(const char* nameOrPath, const char* startFolder, char* error, int errorSize);
