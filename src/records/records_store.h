// The records file on disk: $XDG_DATA_HOME/tumblegrade/records.txt (XDG_DATA_HOME
// defaults to ~/.local/share). A run is added under a lock on records.lock in the same
// folder: the file is read again, the run appended, the whole written to records.txt.new,
// flushed to the disk and renamed over records.txt. A kill at any moment leaves the old
// file or the new one, and two games adding runs at once lose none.
// A damaged or unreadable file is moved aside as records.txt.damaged-YYYYMMDD-HHMMSS
// (files/damaged_file), said in one line on standard error, and the records start empty.
#pragma once

#include "records/run_record.h"

constexpr int RecordsPathCapacity = 1024;

// The folder the records live in. Returns 0 when neither an absolute XDG_DATA_HOME nor
// HOME names one.
int recordsFolder(char* out, int size);

// Reads the folder's records into table (emptied first); no folder or no file is no
// records, and nothing is made. Returns 0 when the folder cannot be locked (said on
// standard error).
int loadRecordsFrom(const char* folder, RecordTable* table);
// Adds run to the folder's records as above; table then holds every run the file holds.
// Returns 1 when the run is on the disk.
int keepRunIn(const char* folder, const RunRecord& run, RecordTable* table);

// The same in recordsFolder().
int loadRecords(RecordTable* table);
int keepRun(const RunRecord& run, RecordTable* table);
