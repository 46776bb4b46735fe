// The settings reader on any bytes as a settings file; whatever it keeps must be written
// and read back unchanged, without a fault.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "settings/settings.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    settingsMessagesTo(std::fopen("/dev/null", "w"));  // one line per fault: not worth reading
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Settings first, second;
    static char text[16384];
    parseSettingsText(reinterpret_cast<const char*>(data), size, "settings.ini", &first);
    const size_t length = formatSettings(&first, text, sizeof text);
    if (parseSettingsText(text, length, "written", &second) != 0) std::abort();
    if (std::memcmp(&first, &second, sizeof first) != 0) std::abort();
    return 0;
}
