// The page's fonts hold Latin-1: UTF-8 text is turned into it before it is drawn. The
// arrows (U+2190 to U+2193) become the bytes the proportional fonts keep them in
// (menus/panels.h names them).
#pragma once

// The character put where Latin-1 has none (or where the UTF-8 is broken).
constexpr char Latin1Fallback = '?';

// Converts the UTF-8 text into out (size bytes with the terminating zero). Returns the
// length written, or -1 when the whole text does not fit (out then holds nothing).
int utf8ToLatin1(const char* text, char* out, int size);
