#include "shipped_courses.h"

#include <fstream>
#include <iterator>

#include "board_store.h"
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
        uint8_t digest[Sha256Bytes];
        sha256(row.file.data(), row.file.size(), digest);
        row.sha256 = hexOf(digest, Sha256Bytes);
        row.name = entry.name;
        row.par = entry.par;
        if (addCourseRow(row, 1) == StoreDown) {
            *why = "the database does not answer";
            return false;
        }
    }
    return true;
}
