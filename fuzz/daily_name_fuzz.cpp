// The daily course names on any bytes: a name is not a daily one, a date that writes
// back as the same text (and its course name holds it), or refused with a reason.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "coursegen/daily_course.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64) return 0;
    const std::string name(reinterpret_cast<const char*>(data), size);  // cut at a zero byte, as a command line
    const int today = 20000;
    int days = -1;
    char error[160] = "", text[11], dailyName[DailyNameCapacity];
    switch (readDailyName(name.c_str(), today, &days, error, sizeof error)) {
    case NotDailyName:
        if (std::strncmp(name.c_str(), DailyPrefix, std::strlen(DailyPrefix)) == 0) __builtin_trap();
        break;
    case BadDailyName:
        if (error[0] == 0 || std::memchr(error, 0, sizeof error) == nullptr) __builtin_trap();
        break;
    case DailyName:
        dailyDateText(days, text);
        dailyCourseName(days, dailyName);
        if (std::strcmp(name.c_str(), "daily") == 0 ? days != today : std::strcmp(name.c_str(), dailyName) != 0)
            __builtin_trap();
        if (std::strlen(text) != 10 || std::strcmp(dailyName + 6, text) != 0) __builtin_trap();
        break;
    }
    return 0;
}
