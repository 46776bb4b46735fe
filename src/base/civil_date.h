// Civil dates (the proleptic Gregorian calendar) as days from 1970-01-01 and back: the
// records' dates and the daily course's date.
#pragma once

#include <cstdint>

int64_t daysFromCivil(int64_t year, int64_t month, int64_t day);
void civilFromDays(int64_t days, int64_t* year, int64_t* month, int64_t* day);
