// One finished run as the records keep it, and the table of all of them.
#pragma once

#include <cstdint>
#include <vector>

constexpr int RecordCourseNameCapacity = 64;  // bytes, the terminating zero included
constexpr int RecordRiderCapacity = 48;
constexpr int RecordSplitCapacity = 32;       // gate lines timed per run; more are not
constexpr int RecordDemoCapacity = 256;

struct RunRecord {
    uint64_t courseHash;                     // fingerprint of the course file's content
    char courseName[RecordCourseNameCapacity];  // the course index's name, else the file name
    char rider[RecordRiderCapacity];         // the rider's name as typed (Latin-1)
    int32_t steps;                           // ride steps from the first push to the finish
    int64_t date;                            // the finish, seconds since 1970-01-01 UTC
    int32_t health;                          // at the finish
    int32_t condition;                       // of the bike, at the finish
    int32_t par;                             // the course's par in ride steps, 0 when unknown
    int32_t splitCount;
    int32_t splits[RecordSplitCapacity];     // ride steps at each gate line crossed, in order
    char demo[RecordDemoCapacity];           // the run's demo file, "" without one
};

// Every run kept, in the order they were kept. Grows only when the file is read or a
// run is added, never while a frame is drawn.
struct RecordTable {
    std::vector<RunRecord> runs;
};
