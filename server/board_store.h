// The board's records on SQLite or PostgreSQL, the same schema on both: courses, riders
// (key, last name) and runs, with the best run of each key on each course. Every server
// process holds only a pool of links: several processes on one PostgreSQL give one board.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CourseRow {
    uint64_t hash;
    std::string sha256;  // of the file, 64 hex digits
    std::string name;    // UTF-8
    std::string file;    // the course file's bytes
    int32_t par;         // the autopilot's ride steps, 0 when not known
};

struct NewRun {
    uint64_t course;
    std::string key;    // base64
    std::string rider;  // UTF-8
    int32_t iterations;
    std::string splits;
    std::string demo;   // as submitted
    std::string ride;   // the ride digest, 64 hex digits
};

struct BoardRun {
    int64_t id;
    uint64_t course;
    std::string key, rider;
    int32_t iterations;
    int64_t submitted;  // seconds since 1970 UTC
    int32_t rank;
};

enum StoreAnswer {
    StoreDown = -1,   // the database does not answer
    StoreMissing = 0,
    StoreDone,        // found, added
    StoreRepeated,    // this key's ride, or this very course file, already there
    StoreTaken,       // another key's ride, or another file under this hash
};

// Opens the database at url (migrations brought up to date), with up to links
// connections; false with why.
bool openBoardStore(const std::string& url, int links, std::string* why);
void closeBoardStore();
// 1 while the database answers.
int boardStoreAnswers();
int findCourseRow(uint64_t hash, CourseRow* row);
int addCourseRow(const CourseRow& row, int shipped);
// A new run, or the run that already holds its ride (out filled in both cases).
int addRun(const NewRun& run, BoardRun* out);
int readBoard(uint64_t course, int limit, int offset, std::vector<BoardRun>* runs);
int readRunDemo(int64_t id, std::string* demo);
// Database seconds spent so far, by every link.
double boardStoreSeconds();
