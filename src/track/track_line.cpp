// Reading a course file line by line, and the fixed columns of a line. Every access is
// bounded by the line's end.
#include "track/track_line.h"

#include <climits>
#include <cstring>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool readTrackLine(FILE* file, std::string& line) {
    line.clear();
    int c;
    while ((c = std::fgetc(file)) != EOF) {
        line.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    if (line.empty()) return false;
    size_t n = line.size();
    if (n >= 2 && line[n - 1] == '\n' && line[n - 2] == '\r') line.erase(n - 2, 1);
    return true;
}

bool CurveRuns::skip(char c) {
    if (c == 'g') {
        left = 0;
        right = 0;
    } else if (c == 'l') {
        ++left;
        right = 0;
    } else if (c == 'r') {
        ++right;
        left = 0;
    }
    if (right == 2) {
        right = 1;
        return true;
    }
    if (left == 2) {
        left = 1;
        return true;
    }
    return c == '#';
}

char trackLineChar(const char* line, int column) {
    if (column < 0) return '\0';
    for (int i = 0; i < column; ++i)
        if (line[i] == '\0') return '\0';
    return line[column];
}

int readTrackNumber(const char* line, int column) {
    if (column < 0 || static_cast<size_t>(column) >= std::strlen(line)) return 0;
    const char* c = line + column;
    while (isBlank(*c)) ++c;
    bool negative = false;
    if (*c == '+' || *c == '-') {
        negative = *c == '-';
        ++c;
    }
    long long value = 0;
    for (; isDigit(*c); ++c) {
        value = value * 10 + (*c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return static_cast<int>(value);
}
