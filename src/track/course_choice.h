// Which course file the runs ride, and the fingerprint of a course file's content.
// Without a choice it is the shipped "track.tbk" in the data folder.
#pragma once

#include <cstdint>

constexpr int CoursePathCapacity = 1024;

// The course file the next load reads; null or "" chooses the shipped course again.
// A path longer than the capacity is refused (returns 0) and the choice is kept.
int chooseCourseFile(const char* path);
// The path of the chosen course file; "" while a course in memory is chosen (it has no
// file, so no fingerprint: runs on it keep no records).
const char* chosenCourseFile();
// A course in memory (the editor's): the next loads read these bytes, which the caller
// keeps unchanged while chosen. chooseCourseFile ends the choice.
void chooseCourseText(const char* text, int size);
// The chosen course in memory, or null when a file is chosen.
const char* chosenCourseText(int* size);
// 1 while the shipped course is the one chosen.
int shippedCourseChosen();

// The content hash (files/content_hash) of the file's bytes: an edited course has another fingerprint.
// Returns 0 with *ok = 0 when the file cannot be read.
uint64_t courseContentHash(const char* path, int* ok);
// The same fingerprint of size bytes in memory: a saved course keeps it.
uint64_t courseTextHash(const char* text, int size);

// What the course index says of the chosen course, for display and records: its name
// ("" when not known) and par in ride steps (0 when not known).
void setChosenCourseLabel(const char* name, int par);
const char* chosenCourseName();
int chosenCoursePar();
