// The course index, "courses.idx" in the data folder: plain text, one course per line.
//
//   # comment lines start with '#'; blank lines are skipped
//   NAME GRADE FILE TILES [PAR]
//
// Fields are separated by spaces or tabs. NAME (up to 31 characters) and GRADE (up to 15)
// hold letters, digits, '-' and '_'; FILE (up to 63) is the course file relative to the
// data folder, a relative path of those characters, '.' and '/' without a ".." part;
// TILES is the number of tiles of the course (1 to 100000); PAR, when present, is the
// autopilot's ride iterations (0 to 10000000, 0 = not known). A line holds at most 255
// characters, the index at most 64 courses, and every name appears once. The first
// entry is the default course.
#include "track/course_index.h"

#include <cstdio>
#include <cstring>

#include "files/file_read.h"

const char CourseIndexFile[] = "courses.idx";

namespace {

constexpr int LineCapacity = 256;
constexpr int MaxTiles = 100000;
constexpr int MaxPar = 10000000;
constexpr int MaxFields = 5;

struct Field {
    const char* text;
    int length;
};

bool nameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

bool validWord(const Field& f, int capacity) {
    if (f.length <= 0 || f.length >= capacity) return false;
    for (int i = 0; i < f.length; ++i)
        if (!nameChar(f.text[i])) return false;
    return true;
}

// A relative path of name characters, '.' and '/', no empty part, no "." or ".." part.
bool validFile(const Field& f) {
    if (f.length <= 0 || f.length >= CourseFileCapacity) return false;
    int partStart = 0;
    for (int i = 0; i <= f.length; ++i) {
        if (i < f.length && f.text[i] != '/') {
            if (!nameChar(f.text[i]) && f.text[i] != '.') return false;
            continue;
        }
        const int partLength = i - partStart;
        const char* part = f.text + partStart;
        if (partLength == 0) return false;
        if (part[0] == '.' && (partLength == 1 || (partLength == 2 && part[1] == '.'))) return false;
        partStart = i + 1;
    }
    return true;
}

bool readNumber(const Field& f, int limit, int* value) {
    if (f.length <= 0 || f.length > 8) return false;
    int n = 0;
    for (int i = 0; i < f.length; ++i) {
        if (f.text[i] < '0' || f.text[i] > '9') return false;
        n = n * 10 + (f.text[i] - '0');
    }
    if (n > limit) return false;
    *value = n;
    return true;
}

void copyField(char* to, const Field& f) {
    std::memcpy(to, f.text, size_t(f.length));
    to[f.length] = 0;
}

int fail(char* error, int errorSize, const char* name, int line, const char* what, CourseIndex* index = nullptr) {
    if (index) index->count = 0;
    if (error && errorSize > 0) std::snprintf(error, size_t(errorSize), "%s:%d: %s", name, line, what);
    return 0;
}

// Splits one line into at most MaxFields fields; returns the count, or MaxFields + 1
// when there are more.
int splitFields(const char* line, int length, Field* fields) {
    int count = 0;
    for (int i = 0; i < length;) {
        while (i < length && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= length) break;
        const int start = i;
        while (i < length && line[i] != ' ' && line[i] != '\t') ++i;
        if (count == MaxFields) return MaxFields + 1;
        fields[count++] = Field{line + start, i - start};
    }
    return count;
}

// One course line into entry; the text of what is wrong otherwise.
const char* parseEntry(const char* line, int length, CourseIndexEntry* entry) {
    Field f[MaxFields];
    const int count = splitFields(line, length, f);
    if (count < 4) return "expected NAME GRADE FILE TILES [PAR]";
    if (count > MaxFields) return "too many fields: expected NAME GRADE FILE TILES [PAR]";
    if (!validWord(f[0], CourseNameCapacity)) return "the name holds up to 31 letters, digits, '-' and '_'";
    if (!validWord(f[1], CourseGradeCapacity)) return "the grade holds up to 15 letters, digits, '-' and '_'";
    if (!validFile(f[2])) return "the file is a relative path of up to 63 characters without '..'";
    int tiles = 0, par = 0;
    if (!readNumber(f[3], MaxTiles, &tiles) || tiles < 1) return "the tile count is a number from 1 to 100000";
    if (count == 5 && !readNumber(f[4], MaxPar, &par)) return "the par is a number from 0 to 10000000";
    copyField(entry->name, f[0]);
    copyField(entry->grade, f[1]);
    copyField(entry->file, f[2]);
    entry->tiles = tiles;
    entry->par = par;
    return nullptr;
}

}  // namespace

int parseCourseIndex(const char* text, int length, const char* name, CourseIndex* index, char* error,
                     int errorSize) {
    index->count = 0;
    int lineNo = 0;
    for (int at = 0; at < length;) {
        ++lineNo;
        int end = at;
        while (end < length && text[end] != '\n') ++end;
        int lineLength = end - at;
        const char* line = text + at;
        at = end + 1;
        if (lineLength >= LineCapacity) return fail(error, errorSize, name, lineNo, "line longer than 255 characters", index);
        if (lineLength > 0 && line[lineLength - 1] == '\r') --lineLength;
        for (int i = 0; i < lineLength; ++i)
            if (line[i] == 0) return fail(error, errorSize, name, lineNo, "a zero byte in the line", index);
        int first = 0;
        while (first < lineLength && (line[first] == ' ' || line[first] == '\t')) ++first;
        if (first == lineLength || line[first] == '#') continue;
        if (index->count == CourseIndexCapacity)
            return fail(error, errorSize, name, lineNo, "more than 64 courses", index);
        CourseIndexEntry* entry = &index->entries[index->count];
        if (const char* what = parseEntry(line, lineLength, entry))
            return fail(error, errorSize, name, lineNo, what, index);
        if (findCourse(index, entry->name))
            return fail(error, errorSize, name, lineNo, "a course of that name is listed already", index);
        ++index->count;
    }
    if (index->count == 0) return fail(error, errorSize, name, lineNo, "no course listed");
    return 1;
}

int readCourseIndex(const char* path, CourseIndex* index, char* error, int errorSize) {
    index->count = 0;
    static char text[CourseIndexCapacity * 2 * LineCapacity];
    size_t got = 0;
    const FileRead read = readFileInto(path, text, sizeof text, &got);
    if (read == FileMissing) return fail(error, errorSize, path, 0, "cannot be opened");
    if (read == FileUnreadable) return fail(error, errorSize, path, 0, "cannot be read");
    if (read == FileTooLarge) return fail(error, errorSize, path, 0, "longer than an index can be");
    return parseCourseIndex(text, int(got), path, index, error, errorSize);
}

const CourseIndexEntry* findCourse(const CourseIndex* index, const char* name) {
    if (!index || !name) return nullptr;
    for (int i = 0; i < index->count && i < CourseIndexCapacity; ++i)
        if (std::strcmp(index->entries[i].name, name) == 0) return &index->entries[i];
    return nullptr;
}

int resolveCourse(const CourseIndex* index, const char* nameOrPath, char* path, int pathSize) {
    if (!nameOrPath || !nameOrPath[0] || !path || pathSize <= 0) return 0;
    const CourseIndexEntry* entry = findCourse(index, nameOrPath);
    const char* file = entry ? entry->file : nameOrPath;
    if (int(std::strlen(file)) >= pathSize) return 0;
    if (!entry) {
        FILE* probe = std::fopen(file, "rb");
        if (!probe) return 0;
        std::fclose(probe);
    }
    std::snprintf(path, size_t(pathSize), "%s", file);
    return 1;
}
