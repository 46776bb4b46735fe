// Reading the fixed columns of a track line. Every access is bounded by the line's end.
#include <climits>
#include <cstring>

#include "track/track_loader.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

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
