// A daily course as a file, so that it is chosen, fingerprinted and kept in records like
// any course: $XDG_CACHE_HOME/tumblegrade/daily/daily-YYYY-MM-DD.tbk, made again from the
// date whenever it is missing. A file there that differs from the date's course is moved
// aside (one line on standard error) and written again.
#pragma once

#include <cstddef>

// The date's course file in path; 0 with the reason in error when it cannot be written.
int dailyCourseFile(int days, char* path, size_t pathSize, char* error, int errorSize);
// A daily course name ("daily", "daily-YYYY-MM-DD") as its file: 1 with its date in
// *days and the path, 0 for a name not beginning with "daily", -1 with the reason in
// error for a bad daily name (a name with a slash or ending in .tbk is a file, never a
// daily name) or a file that cannot be written.
int dailyCourseFileNamed(const char* name, int* days, char* path, size_t pathSize, char* error, int errorSize);
