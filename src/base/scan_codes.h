// The PC keyboard scan codes (set 1) the game knows its keys by. They name positions on
// the keyboard, not letters: ScanZ is the key right of T on a German keyboard.
// The one table of them: the game, the back-ends and the tests all use these names.
#pragma once

enum ScanCode {
    ScanNone = 0,
    ScanEsc = 0x01,
    Scan1 = 0x02, Scan2 = 0x03, Scan3 = 0x04, Scan4 = 0x05, Scan5 = 0x06,
    Scan6 = 0x07, Scan7 = 0x08, Scan8 = 0x09, Scan9 = 0x0A, Scan0 = 0x0B,
    ScanMinus = 0x0C,
    ScanEquals = 0x0D,
    ScanBackspace = 0x0E,
    ScanTab = 0x0F,
    ScanQ = 0x10, ScanW = 0x11, ScanE = 0x12, ScanR = 0x13, ScanT = 0x14,
    ScanY = 0x15, ScanU = 0x16, ScanI = 0x17, ScanO = 0x18, ScanP = 0x19,
    ScanLeftBracket = 0x1A,
    ScanRightBracket = 0x1B,
    ScanEnter = 0x1C,
    ScanCtrl = 0x1D,
    ScanA = 0x1E, ScanS = 0x1F, ScanD = 0x20, ScanF = 0x21, ScanG = 0x22,
    ScanH = 0x23, ScanJ = 0x24, ScanK = 0x25, ScanL = 0x26,
    ScanSemicolon = 0x27,
    ScanApostrophe = 0x28,
    ScanGrave = 0x29,
    ScanLeftShift = 0x2A,
    ScanBackslash = 0x2B,
    ScanZ = 0x2C, ScanX = 0x2D, ScanC = 0x2E, ScanV = 0x2F, ScanB = 0x30,
    ScanN = 0x31, ScanM = 0x32,
    ScanComma = 0x33,
    ScanPeriod = 0x34,
    ScanSlash = 0x35,
    ScanRightShift = 0x36,
    ScanKeypadMultiply = 0x37,
    ScanAlt = 0x38,
    ScanSpace = 0x39,
    ScanCapsLock = 0x3A,
    ScanF1 = 0x3B, ScanF2 = 0x3C, ScanF3 = 0x3D, ScanF4 = 0x3E, ScanF5 = 0x3F,
    ScanF6 = 0x40, ScanF7 = 0x41, ScanF8 = 0x42, ScanF9 = 0x43, ScanF10 = 0x44,
    ScanNumLock = 0x45,
    ScanScrollLock = 0x46,
    ScanHome = 0x47,        // keypad 7
    ScanUp = 0x48,          // keypad 8
    ScanPageUp = 0x49,      // keypad 9
    ScanKeypadMinus = 0x4A,
    ScanLeft = 0x4B,        // keypad 4
    ScanKeypadCentre = 0x4C,// keypad 5
    ScanRight = 0x4D,       // keypad 6
    ScanKeypadPlus = 0x4E,
    ScanEnd = 0x4F,         // keypad 1
    ScanDown = 0x50,        // keypad 2
    ScanPageDown = 0x51,    // keypad 3
    ScanInsert = 0x52,      // keypad 0
    ScanDelete = 0x53,      // keypad decimal point
    ScanLessThan = 0x56,    // the extra key left of Z (Y on a German keyboard)
    ScanF11 = 0x57,
    ScanF12 = 0x58,
    ScanCodeCount = 0x100,  // codes are bytes
};
