#include "shipped_courses.h"

#include <fstream>
#include <iterator>

#include "board_store.h"
#include "board_text.h"
#include "coursegen/daily_course.h"
#include "signing.h"
#include "track/course_choice.h"
#include "track/course_index.h"

bool addShippedCourses(const std::string& dataDir, std::string* why) {
    static CourseIndex index;
    char error[256];
    if (!readCourseIndex((dataDir + "/" + CourseIndexFile).c_str(), &index, error, sizeof error)) {
        *why = error;
        return false;
    }
    for (int i = 0; i < index.count; ++i) {
        const CourseIndexEntry& entry = index.entries[i];
        const std::string path = dataDir + "/" + entry.file;
        std::ifstream in(path, std::ios::binary);
        CourseRow row{};
        row.file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        int readable = 0;
        row.hash = courseContentHash(path.c_str(), &readable);
        if (!in.good() && !in.eof()) readable = 0;
        if (!readable) {
            *why = "cannot read the course file " + path;
            return false;
        }
        row.sha256 = sha256Text(row.file);
        row.name = entry.name;
        row.par = entry.par;
        if (addCourseRow(row, 1) == StoreDown) {
            *why = "the database does not answer";
            return false;
        }
    }
    return true;
}

bool dailyCourseRow(const std::string& name, uint64_t hash, int today, CourseRow* row, std::string* why) {
    int days = 0;
    char error[160];
    if (name.rfind("daily-", 0) != 0 || readDailyName(name.c_str(), today, &days, error, sizeof error) != DailyName) {
        why->clear();
        return false;
    }
    if (days > today + 1) {
        *why = "the daily course " + name + " is not out yet";
        return false;
    }
    row->file = dailyCourseText(days);
    row->hash = courseTextHash(row->file.data(), int(row->file.size()));
    if (row->hash != hash) {
        *why = "the course " + courseHashText(hash) + " is not the daily course " + name;
        return false;
    }
    row->sha256 = sha256Text(row->file);
    row->name = name;
    row->par = 0;
    return true;
}
