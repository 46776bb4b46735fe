// The page's text from a catalogue's translation (any bytes, as a broken catalogue gives
// them): the Latin-1 written is never longer than the text, holds none of the control
// bytes the fonts lack (the arrows they keep there aside), and a buffer too small gives
// nothing rather than a cut text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "lang/latin1.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);  // up to its first zero
    const size_t length = std::strlen(text.c_str());
    static char out[4096];
    const int written = utf8ToLatin1(text.c_str(), out, sizeof out);
    if (written < 0) {
        if (length < sizeof out || out[0] != '\0') std::abort();  // only a text too long fails
        return 0;
    }
    if (size_t(written) > length || std::strlen(out) != size_t(written)) std::abort();
    for (int i = 0; i < written; ++i) {
        const unsigned char byte = static_cast<unsigned char>(out[i]);
        const bool arrow = byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90;
        if (byte >= 0x80 && byte < 0xA0 && !arrow) std::abort();
    }
    char small[8];
    const int cut = utf8ToLatin1(text.c_str(), small, sizeof small);
    if (cut < 0 ? small[0] != '\0' : cut != written) std::abort();
    return 0;
}
