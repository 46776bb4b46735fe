// The courses shipped in the data folder, known to the board from the start: every
// course of its index, with the index's name and par. And the daily courses, known
// without being sent: made again from the date in their name.
#pragma once

#include <cstdint>
#include <string>

struct CourseRow;

// Adds the courses the database lacks; false with why when the index cannot be read or
// the database does not answer.
bool addShippedCourses(const std::string& dataDir, std::string* why);

// A run's course the board does not hold yet, named daily-YYYY-MM-DD: the row of the
// date's course (par 0) when its fingerprint is hash and the date is at most one day
// after today (UTC days from 1970-01-01). False otherwise, with why: the date too far
// ahead, another file; empty when the name is no daily one.
bool dailyCourseRow(const std::string& name, uint64_t hash, int today, CourseRow* row, std::string* why);
