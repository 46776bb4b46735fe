#include "board_text.h"

#include <cstdio>

#include "records/run_time.h"

bool parseCourseHash(const std::string& text, uint64_t* hash) {
    if (text.size() != 16) return false;
    uint64_t value = 0;
    for (char c : text) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return false;
        value = value << 4 | uint64_t(digit);
    }
    *hash = value;
    return true;
}

std::string utf8FromLatin1(const std::string& latin1) {
    std::string text;
    for (unsigned char c : latin1) {
        if (c < 0x80) {
            text += char(c);
        } else {
            text += char(0xC0 | c >> 6);
            text += char(0x80 | (c & 0x3F));
        }
    }
    return text;
}

std::string isoDate(std::time_t seconds) {
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

std::string runTimeText(int32_t rideSteps) {
    char text[RunTimeTextCapacity];
    formatRunTime(rideSteps, text, sizeof text);
    return text;
}

bool parseBoundedInt(const std::string& text, long low, long high, long* value) {
    if (text.empty() || text.size() > 9) return false;
    long number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    if (number < low || number > high) return false;
    *value = number;
    return true;
}
