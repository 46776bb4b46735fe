// Which course file the runs ride, and the fingerprint of a course file's content.
// Without a choice it is the shipped "track.tbk" in the data folder.
#pragma once

#include <cstdint>

constexpr int CoursePathCapacity = 1024;

// The course file the next load reads; null or "" chooses the shipped course again.
// A path longer than the capacity is refused (returns 0) and the choice is kept.
int chooseCourseFile(const char* path);
const char* chosenCourseFile();
// 1 while the shipped course is the one chosen.
int shippedCourseChosen();

// The content hash (files/content_hash) of the file's bytes: an edited course has another fingerprint.
// Returns 0 with *ok = 0 when the file cannot be read.
uint64_t courseContentHash(const char* path, int* ok);

// What the course index says of the chosen course, for display and records: its name
// ("" when not known) and par in ride steps (0 when not known).
void setChosenCourseLabel(const char* name, int par);
const char* chosenCourseName();
int chosenCoursePar();
