// Saving the editor's course among the player's own courses
// ($XDG_DATA_HOME/tumblegrade/courses/NAME.tbk): the name rules and the safe write (a new
// file, flushed, renamed over the old one, so a crash or kill leaves the old file whole).
#pragma once

constexpr int OwnCourseNameCapacity = 25;  // 24 characters and the 0

// 1 when name may name an own course: 1 to 24 letters, digits and '-', not beginning with
// "daily", and no shipped course's name. Else 0 with the reason in why.
int ownCourseNameAllowed(const char* name, char* why, int whySize);
// The file an own course of that name is kept in; 0 without a home folder.
int ownCoursePath(const char* name, char* path, int pathSize);
// Writes the text to that file, making the folder when missing; 1 when written.
int saveOwnCourse(const char* name, const char* text, int size, char* path, int pathSize);
