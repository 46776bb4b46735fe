#include "lang/latin1.h"

namespace {

// The number of continuation bytes a lead byte announces, or -1 for a byte that cannot lead.
int followersOf(unsigned char lead) {
    if (lead < 0x80) return 0;
    if (lead >= 0xC2 && lead <= 0xDF) return 1;
    if (lead >= 0xE0 && lead <= 0xEF) return 2;
    if (lead >= 0xF0 && lead <= 0xF4) return 3;
    return -1;
}

// One character read at text; its length in bytes goes to *length (at least 1).
unsigned decodeOne(const unsigned char* text, int* length) {
    const int followers = followersOf(text[0]);
    *length = 1;
    if (followers < 0) return 0xFFFD;
    unsigned code = followers == 0 ? text[0] : text[0] & (0x3Fu >> followers);
    for (int i = 1; i <= followers; ++i) {
        if ((text[i] & 0xC0) != 0x80) {
            *length = i;
            return 0xFFFD;
        }
        code = (code << 6) | (text[i] & 0x3Fu);
    }
    *length = followers + 1;
    // An overlong form (a zero in four bytes would end the text) or beyond Unicode.
    const unsigned smallest[4] = {0, 0x80, 0x800, 0x10000};
    if (code < smallest[followers] || code > 0x10FFFF) return 0xFFFD;
    return code;
}

// The byte of the page's fonts for a character: Latin-1 itself, but not its control codes;
// the four arrows the proportional fonts keep in bytes the code page leaves empty.
char latin1Of(unsigned code) {
    if (code < 0x80) return char(code);
    if (code >= 0xA0 && code <= 0xFF) return char(code);
    const unsigned char arrows[4] = {0x81, 0x8D, 0x8F, 0x90};  // left, up, right, down
    if (code >= 0x2190 && code <= 0x2193) return char(arrows[code - 0x2190]);
    return Latin1Fallback;
}

}  // namespace

int utf8ToLatin1(const char* text, char* out, int size) {
    if (size <= 0) return -1;
    const unsigned char* at = reinterpret_cast<const unsigned char*>(text ? text : "");
    int used = 0;
    while (*at) {
        if (used + 1 >= size) {
            out[0] = '\0';
            return -1;
        }
        int length = 1;
        out[used++] = latin1Of(decodeOne(at, &length));
        at += length;
    }
    out[used] = '\0';
    return used;
}
