#include "records/records_text.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "base/civil_date.h"

namespace {

constexpr int RunFieldCount = 11;
constexpr char HexDigits[] = "0123456789abcdef";

enum RunField { FieldTag, FieldHash, FieldCourse, FieldRider, FieldSteps, FieldDate,
                FieldHealth, FieldCondition, FieldPar, FieldSplits, FieldDemo };

struct Span {
    const char* text;
    size_t length;
};

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool plainByte(unsigned char c) { return c >= 0x20 && c < 0x7F && c != '%'; }

// Splits at tabs into exactly RunFieldCount fields.
bool splitFields(const char* line, size_t length, Span* fields) {
    int count = 0;
    size_t start = 0;
    for (size_t i = 0; i <= length; ++i) {
        if (i < length && line[i] != '\t') continue;
        if (count == RunFieldCount) return false;
        fields[count++] = Span{line + start, i - start};
        start = i + 1;
    }
    return count == RunFieldCount;
}

// %XX-escaped text into out (capacity bytes, zero-terminated). No zero byte inside.
bool decodeText(Span field, char* out, int capacity) {
    int used = 0;
    for (size_t i = 0; i < field.length; ++i) {
        unsigned char c = (unsigned char)field.text[i];
        if (c == '%') {
            if (i + 2 >= field.length) return false;
            const int high = hexValue(field.text[i + 1]);
            const int low = hexValue(field.text[i + 2]);
            if (high < 0 || low < 0) return false;
            c = (unsigned char)(high * 16 + low);
            if (c == 0) return false;
            i += 2;
        } else if (!plainByte(c)) {
            return false;
        }
        if (used + 1 >= capacity) return false;
        out[used++] = char(c);
    }
    out[used] = 0;
    return true;
}

// A decimal number, a leading '-' only where allowed, within [low, high].
bool parseNumber(Span field, int64_t low, int64_t high, int64_t* value) {
    size_t i = 0;
    bool negative = false;
    if (field.length > 0 && field.text[0] == '-') {
        negative = true;
        i = 1;
    }
    if (i == field.length || field.length - i > 12) return false;
    int64_t v = 0;
    for (; i < field.length; ++i) {
        const char c = field.text[i];
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (negative) v = -v;
    if (v < low || v > high) return false;
    *value = v;
    return true;
}

bool parseInt32(Span field, int64_t low, int32_t* value) {
    int64_t v = 0;
    if (!parseNumber(field, low, INT32_MAX, &v)) return false;
    *value = int32_t(v);
    return true;
}

bool parseHash(Span field, uint64_t* hash) {
    if (field.length != 16) return false;
    uint64_t h = 0;
    for (size_t i = 0; i < 16; ++i) {
        const int d = hexValue(field.text[i]);
        if (d < 0) return false;
        h = h << 4 | uint64_t(d);
    }
    *hash = h;
    return true;
}

bool digitsAt(Span field, size_t at, size_t count, int64_t* value) {
    return parseNumber(Span{field.text + at, count}, 0, 9999, value);
}

bool parseDate(Span field, int64_t* date) {
    static const char Shape[] = "0000-00-00T00:00:00Z";
    if (field.length != sizeof Shape - 1) return false;
    for (size_t i = 0; i < field.length; ++i)
        if (Shape[i] != '0' && field.text[i] != Shape[i]) return false;
    int64_t y, mo, d, h, mi, s;
    if (!digitsAt(field, 0, 4, &y) || !digitsAt(field, 5, 2, &mo) || !digitsAt(field, 8, 2, &d) ||
        !digitsAt(field, 11, 2, &h) || !digitsAt(field, 14, 2, &mi) || !digitsAt(field, 17, 2, &s))
        return false;
    static const int MonthDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1970 || mo < 1 || mo > 12 || d < 1 || d > MonthDays[mo - 1] || h > 23 || mi > 59 || s > 59)
        return false;
    *date = (daysFromCivil(y, mo, d) * 24 + h) * 3600 + mi * 60 + s;
    return true;
}

bool parseSplits(Span field, RunRecord* run) {
    run->splitCount = 0;
    size_t start = 0;
    if (field.length == 0) return true;
    int32_t previous = 0;
    for (size_t i = 0; i <= field.length; ++i) {
        if (i < field.length && field.text[i] != ',') continue;
        int32_t split = 0;
        if (run->splitCount == RecordSplitCapacity) return false;
        if (!parseInt32(Span{field.text + start, i - start}, 0, &split)) return false;
        if (split < previous || split > run->steps) return false;
        run->splits[run->splitCount++] = split;
        previous = split;
        start = i + 1;
    }
    return true;
}

void appendEscaped(const char* text, std::string* out) {
    for (const unsigned char* p = (const unsigned char*)text; *p; ++p) {
        if (plainByte(*p)) {
            out->push_back(char(*p));
        } else {
            out->push_back('%');
            out->push_back(HexDigits[*p >> 4]);
            out->push_back(HexDigits[*p & 15]);
        }
    }
}

void appendFormatted(std::string* out, const char* format, long long value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    out->append(text);
}

}  // namespace

int parseRunLine(const char* line, size_t length, RunRecord* run, const char** why) {
    Span f[RunFieldCount];
    *run = RunRecord{};
    if (!splitFields(line, length, f) || f[FieldTag].length != 3 || std::memcmp(f[FieldTag].text, "run", 3) != 0) {
        *why = "not a run line of eleven fields";
        return 0;
    }
    int64_t date = 0;
    if (!parseHash(f[FieldHash], &run->courseHash)) *why = "course fingerprint";
    else if (!decodeText(f[FieldCourse], run->courseName, sizeof run->courseName)) *why = "course name";
    else if (!decodeText(f[FieldRider], run->rider, sizeof run->rider)) *why = "rider name";
    else if (!parseInt32(f[FieldSteps], 1, &run->steps)) *why = "time";
    else if (!parseDate(f[FieldDate], &date)) *why = "date";
    else if (!parseInt32(f[FieldHealth], INT32_MIN, &run->health)) *why = "health";
    else if (!parseInt32(f[FieldCondition], INT32_MIN, &run->condition)) *why = "condition";
    else if (!parseInt32(f[FieldPar], 0, &run->par)) *why = "par";
    else if (!parseSplits(f[FieldSplits], run)) *why = "splits";
    else if (!decodeText(f[FieldDemo], run->demo, sizeof run->demo)) *why = "demo file";
    else {
        run->date = date;
        return 1;
    }
    return 0;
}

int parseRecordsText(const char* text, size_t size, RecordTable* table, const char** why, int* lineNumber) {
    size_t at = 0;
    *lineNumber = 0;
    for (int number = 1; at < size; ++number) {
        const char* end = static_cast<const char*>(std::memchr(text + at, '\n', size - at));
        const size_t length = end ? size_t(end - (text + at)) : size - at;
        const char* line = text + at;
        at += length + 1;
        *lineNumber = number;
        if (length >= size_t(RecordLineCapacity)) {
            *why = "line too long";
            return 0;
        }
        if (number == 1) {
            char expected[48];
            std::snprintf(expected, sizeof expected, "%s %d", RecordsMagic, RecordsVersion);
            if (length != std::strlen(expected) || std::memcmp(line, expected, length) != 0) {
                *why = "not a records file of this version";
                return 0;
            }
            continue;
        }
        if (length == 0 || line[0] == '#') continue;
        RunRecord run;
        if (!parseRunLine(line, length, &run, why)) return 0;
        table->runs.push_back(run);
    }
    if (*lineNumber == 0) {
        *why = "empty";
        return 0;
    }
    return 1;
}

void formatRunLine(const RunRecord& run, std::string* out) {
    char hash[20];
    std::snprintf(hash, sizeof hash, "%016llx", (unsigned long long)run.courseHash);
    out->append("run\t").append(hash).push_back('\t');
    appendEscaped(run.courseName, out);
    out->push_back('\t');
    appendEscaped(run.rider, out);
    appendFormatted(out, "\t%lld\t", run.steps);
    const time_t when = time_t(run.date);
    struct tm utc = {};
    gmtime_r(&when, &utc);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%SZ", &utc);
    out->append(date);
    appendFormatted(out, "\t%lld", run.health);
    appendFormatted(out, "\t%lld", run.condition);
    appendFormatted(out, "\t%lld\t", run.par);
    for (int i = 0; i < run.splitCount && i < RecordSplitCapacity; ++i)
        appendFormatted(out, i ? ",%lld" : "%lld", run.splits[i]);
    out->push_back('\t');
    appendEscaped(run.demo, out);
    out->push_back('\n');
}

void formatRecordsText(const RecordTable& table, std::string* out) {
    char first[48];
    std::snprintf(first, sizeof first, "%s %d\n", RecordsMagic, RecordsVersion);
    out->append(first);
    for (const RunRecord& run : table.runs) formatRunLine(run, out);
}
