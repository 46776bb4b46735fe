// The settings reader on any bytes as the settings file, read the way the game reads it
// at start-up (loadSettings); whatever it keeps must be written and read back unchanged,
// without a fault.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "input_file.h"
#include "settings/settings.h"

namespace {

InputFile SettingsIni;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    settingsMessagesTo(std::fopen("/dev/null", "w"));  // one line per fault: not worth reading
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Settings second;
    static char text[16384];
    loadSettings(writeInputFile(SettingsIni, data, size));
    const size_t length = formatSettings(&Setting, text, sizeof text);
    if (parseSettingsText(text, length, "written", &second) != 0) std::abort();
    if (std::memcmp(&Setting, &second, sizeof second) != 0) std::abort();
    return 0;
}
