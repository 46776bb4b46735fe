// The course a demo rides, found by its content hash: the shipped courses in the data
// folder (track.tbk, courses/*.tbk) and the player's own in
// $XDG_DATA_HOME/tumblegrade/courses. Called from inside the data folder.
#pragma once

#include <cstddef>
#include <cstdint>

bool findCourseByHash(uint64_t hash, char* path, size_t capacity);
// The course of a demo by its name and hash: a daily course (daily-YYYY-MM-DD) is made
// again from its date, at any later date; any other by its hash as above.
bool findDemoCourse(const char* name, uint64_t hash, char* path, size_t capacity);
