// The text the board answers with: course fingerprints as 16 lowercase hex digits, the
// game's Latin-1 names as UTF-8, dates in ISO 8601 (UTC) and times m:ss.cc.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "online/server_requests.h"  // courseHashText, as the game writes a fingerprint

// Exactly 16 lowercase hex digits; false otherwise.
bool parseCourseHash(const std::string& text, uint64_t* hash);
std::string utf8FromLatin1(const std::string& latin1);
std::string isoDate(std::time_t seconds);
std::string runTimeText(int32_t rideSteps);
// A decimal number within [low, high]; false for anything else.
bool parseBoundedInt(const std::string& text, long low, long high, long* value);
