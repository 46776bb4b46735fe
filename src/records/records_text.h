// The records file's text: a first line naming the format and its version, then one
// finished run per line, fields separated by a tab:
//
//   tumblegrade-records 1
//   run  HASH  COURSE  RIDER  STEPS  DATE  HEALTH  CONDITION  PAR  SPLITS  DEMO
//
// HASH is the course fingerprint in 16 hex digits; STEPS, PAR and the SPLITS (comma
// separated, empty for none) count ride steps at 60 a second; DATE is UTC as
// YYYY-MM-DDTHH:MM:SSZ. In COURSE, RIDER and DEMO every byte outside printable ASCII and
// '%' is written %XX (hex). Lines starting with '#' and empty lines are ignored.
#pragma once

#include <cstddef>
#include <string>

#include "records/run_record.h"

constexpr char RecordsMagic[] = "tumblegrade-records";
constexpr int RecordsVersion = 1;
// The longest line a reader takes; a longer one makes the file damaged.
constexpr int RecordLineCapacity = 2048;

// One run line (without its newline). Returns 1 and fills *run, or 0 with *why set.
int parseRunLine(const char* line, size_t length, RunRecord* run, const char** why);
// The whole text: appends its runs to table. Returns 1, or 0 with *why and *lineNumber
// telling what is wrong; the table then holds what came before the fault.
int parseRecordsText(const char* text, size_t size, RecordTable* table, const char** why, int* lineNumber);
// The run's line, newline included.
void formatRunLine(const RunRecord& run, std::string* out);
// The first line and every run.
void formatRecordsText(const RecordTable& table, std::string* out);
