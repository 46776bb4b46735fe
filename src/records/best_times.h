// What the records say of a course: its ten best runs, the run a rider's splits are
// compared with, the courses that have runs, and the table as text.
#pragma once

#include <cstdint>
#include <cstdio>

#include "records/run_record.h"

constexpr int BestRunCount = 10;

// The course's fastest runs, fastest first (an equal time: the earlier run first), at
// most capacity. Returns how many.
int bestRuns(const RecordTable& table, uint64_t courseHash, const RunRecord** out, int capacity);
// The rider's fastest run of the course, or null.
const RunRecord* ridersBest(const RecordTable& table, uint64_t courseHash, const char* rider);
// What a run's splits are compared with: the rider's best of the course, else the
// course's best, else null.
const RunRecord* personalBest(const RecordTable& table, uint64_t courseHash, const char* rider);
// The courses that have runs, in the order of their first run. Returns how many.
int coursesWithRecords(const RecordTable& table, uint64_t* hashes, int capacity);
// The course's latest run (for its name and par), or null.
const RunRecord* latestRunOf(const RecordTable& table, uint64_t courseHash);
// The run's date as YYYY-MM-DD in local time.
void formatRunDate(int64_t date, char* out, int size);
// The course's best runs as text: a title with its par, then one line per run (place,
// rider, time, date). Names are written as UTF-8.
void printBestTimes(FILE* out, const RecordTable& table, uint64_t courseHash);
