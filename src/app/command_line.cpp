#include "app/command_line.h"

#include <cctype>
#include <cstring>
#include <strings.h>

DriverOptions GameDriverOptions;

namespace {

constexpr int32_t DriverStartValues[11] = {1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1};

struct DriverSwitch {
    const char* option;
    int flag;
};

// The options that switch a display-driver family off.
constexpr DriverSwitch DriverSwitches[] = {
    {"-nowindirect", 0}, {"-nodirectdraw", 1}, {"-novga", 2}, {"-novgax", 3},
    {"-novbe", 4},       {"-novbeaf", 6},      {"-nolinear", 5},
};

constexpr int MaxArguments = 20;  // entry 0, 18 words and the closing null entry
constexpr int CommandTailLimit = 511;

bool startsWithInteger(const char* text, int* value) {
    const char* p = text;
    if (*p == '+' || *p == '-') ++p;
    if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
    long v = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p)
        if (v < 100000000) v = v * 10 + (*p - '0');
    *value = int(text[0] == '-' ? -v : v);
    return true;
}

}  // namespace

void resetDriverOptions() { std::memcpy(GameDriverOptions.flag, DriverStartValues, sizeof DriverStartValues); }

int parseCommandLine(int* number, int argc, char** argv) {
    int result = 0;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!arg) continue;
        bool matched = false;
        for (const DriverSwitch& s : DriverSwitches) {
            if (strcasecmp(arg, s.option) == 0) {
                GameDriverOptions.flag[s.flag] = 0;
                matched = true;
                break;
            }
        }
        if (matched) continue;
        if (strcasecmp(arg, "-h") == 0) {
            result = 1;
            continue;
        }
        int value = 0;
        if (result == 0 && startsWithInteger(arg, &value)) {
            if (number) *number = value;
            result = 2;
        }
    }
    return result;
}

int splitCommandLine(const char* programPath, const char* tail, char* storage, int storageSize,
                     char** argv) {
    int argc = 0;
    int used = 0;
    auto addWord = [&](const char* word, int length) {
        if (argc >= MaxArguments - 1 || used + length + 1 > storageSize) return;
        std::memcpy(storage + used, word, size_t(length));
        storage[used + length] = '\0';
        argv[argc++] = storage + used;
        used += length + 1;
    };
    addWord(programPath ? programPath : "", int(std::strlen(programPath ? programPath : "")));
    char word[CommandTailLimit + 1];
    int length = 0;
    bool quoted = false;
    bool inWord = false;
    const int tailLength = tail ? int(strnlen(tail, CommandTailLimit)) : 0;
    for (int i = 0; i <= tailLength; ++i) {
        const char c = i < tailLength ? tail[i] : '\0';
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (c == '\0' || (!quoted && (c == ' ' || c == '\t'))) {
            if (inWord) addWord(word, length);
            length = 0;
            inWord = false;
        } else {
            word[length++] = c;
            inWord = true;
        }
    }
    argv[argc] = nullptr;
    return argc;
}

