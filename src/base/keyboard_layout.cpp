#include "base/keyboard_layout.h"

#include "base/scan_codes.h"

namespace {

// Unshifted characters of the German layout, Latin-1; 0 where a key gives none.
const unsigned char GermanCharacters[0x3A] = {
    0,    27,   '1',  '2',  '3',  '4',  '5',  '6',  '7',  '8',  '9',  '0',  0xDF, 0xB4, 8,    9,
    'q',  'w',  'e',  'r',  't',  'z',  'u',  'i',  'o',  'p',  0xFC, '+',  13,   0,    'a',  's',
    'd',  'f',  'g',  'h',  'j',  'k',  'l',  0xF6, 0xE4, '^',  0,    '#',  'y',  'x',  'c',  'v',
    'b',  'n',  'm',  ',',  '.',  '-',  0,    '*',  0,    ' ',
};

}  // namespace

int germanCharacterOf(int scanCode) {
    if (scanCode == ScanLessThan) return '<';
    if (scanCode < 0 || scanCode >= int(sizeof GermanCharacters)) return 0;
    return GermanCharacters[scanCode];
}
