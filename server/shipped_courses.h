// The courses shipped in the data folder, known to the board from the start: every
// course of its index, with the index's name and par.
#pragma once

#include <string>

// Adds the courses the database lacks; false with why when the index cannot be read or
// the database does not answer.
bool addShippedCourses(const std::string& dataDir, std::string* why);
