// The controls a player may move: the actions with the keys the game knows them by, the
// names of the keys and the gamepad's buttons in the settings file, and the translation
// of a physical key into the key the game expects.
#include <strings.h>

#include "base/scan_codes.h"
#include "lang/translation.h"
#include "settings/settings.h"

const ControlActionInfo ControlActions[ActionCount] = {
    {"push", N_("Push"), ScanUp, ContextRide},
    {"hard_brake", N_("Brake hard"), ScanCtrl, ContextRide},
    {"soft_brake", N_("Brake softly"), ScanAlt, ContextRide},
    {"steer_left", N_("Steer left"), ScanLeft, ContextRide},
    {"steer_right", N_("Steer right"), ScanRight, ContextRide},
    {"textures", N_("Textures on/off"), ScanT, ContextRide},
    {"next_step", N_("Menu: next step"), ScanS, ContextMenus},
    {"bonus_shop", N_("Menu: shop with 7000 $"), ScanC, ContextMenus},
    {"new_rider", N_("Menu: new rider"), ScanR, ContextMenus},
    {"shop_up", N_("Shop: up"), ScanUp, ContextMenus},
    {"shop_down", N_("Shop: down"), ScanDown, ContextMenus},
    {"shop_left", N_("Shop: left"), ScanLeft, ContextMenus},
    {"shop_right", N_("Shop: right"), ScanRight, ContextMenus},
};

const char* const PadButtonNames[PadButtonCount] = {
    "A", "B", "X", "Y", "Back", "Guide", "Start", "LeftStick", "RightStick", "LeftShoulder", "RightShoulder",
};

namespace {

struct KeyNameEntry {
    int code;
    const char* name;
};

// Keys by their place on a US keyboard: "Z" is the key right of the left Shift.
constexpr KeyNameEntry KeyNames[] = {
    {ScanEsc, "Esc"}, {Scan1, "1"}, {Scan2, "2"}, {Scan3, "3"}, {Scan4, "4"}, {Scan5, "5"},
    {Scan6, "6"}, {Scan7, "7"}, {Scan8, "8"}, {Scan9, "9"}, {Scan0, "0"}, {ScanMinus, "Minus"},
    {ScanEquals, "Equals"}, {ScanBackspace, "Backspace"}, {ScanTab, "Tab"}, {ScanQ, "Q"},
    {ScanW, "W"}, {ScanE, "E"}, {ScanR, "R"}, {ScanT, "T"}, {ScanY, "Y"}, {ScanU, "U"},
    {ScanI, "I"}, {ScanO, "O"}, {ScanP, "P"}, {ScanLeftBracket, "LeftBracket"},
    {ScanRightBracket, "RightBracket"}, {ScanEnter, "Enter"}, {ScanCtrl, "Ctrl"}, {ScanA, "A"},
    {ScanS, "S"}, {ScanD, "D"}, {ScanF, "F"}, {ScanG, "G"}, {ScanH, "H"}, {ScanJ, "J"},
    {ScanK, "K"}, {ScanL, "L"}, {ScanSemicolon, "Semicolon"}, {ScanApostrophe, "Apostrophe"},
    {ScanGrave, "Grave"}, {ScanLeftShift, "LeftShift"}, {ScanBackslash, "Backslash"},
    {ScanZ, "Z"}, {ScanX, "X"}, {ScanC, "C"}, {ScanV, "V"}, {ScanB, "B"}, {ScanN, "N"},
    {ScanM, "M"}, {ScanComma, "Comma"}, {ScanPeriod, "Period"}, {ScanSlash, "Slash"},
    {ScanRightShift, "RightShift"}, {ScanKeypadMultiply, "KeypadMultiply"}, {ScanAlt, "Alt"},
    {ScanSpace, "Space"}, {ScanCapsLock, "CapsLock"}, {ScanF1, "F1"}, {ScanF2, "F2"},
    {ScanF3, "F3"}, {ScanF4, "F4"}, {ScanF5, "F5"}, {ScanF6, "F6"}, {ScanF7, "F7"},
    {ScanF8, "F8"}, {ScanF9, "F9"}, {ScanF10, "F10"}, {ScanNumLock, "NumLock"},
    {ScanScrollLock, "ScrollLock"}, {ScanHome, "Home"}, {ScanUp, "Up"}, {ScanPageUp, "PageUp"},
    {ScanKeypadMinus, "KeypadMinus"}, {ScanLeft, "Left"}, {ScanKeypadCentre, "KeypadCentre"},
    {ScanRight, "Right"}, {ScanKeypadPlus, "KeypadPlus"}, {ScanEnd, "End"}, {ScanDown, "Down"},
    {ScanPageDown, "PageDown"}, {ScanInsert, "Insert"}, {ScanDelete, "Delete"},
    {ScanLessThan, "LessThan"}, {ScanF11, "F11"}, {ScanF12, "F12"},
};

// Keys that stay what they are: Esc and Enter, Tab and the function keys.
constexpr int ReservedKeys[] = {ScanEsc, ScanEnter, ScanTab, ScanF1, ScanF2, ScanF3, ScanF4,
                                ScanF5, ScanF6, ScanF7, ScanF8, ScanF9, ScanF10, ScanF11, ScanF12};

}  // namespace

const char* keyName(int scanCode) {
    for (const KeyNameEntry& k : KeyNames)
        if (k.code == scanCode) return k.name;
    return nullptr;
}

int keyByName(const char* name) {
    if (name == nullptr) return 0;
    for (const KeyNameEntry& k : KeyNames)
        if (strcasecmp(k.name, name) == 0) return k.code;
    return 0;
}

int keyReserved(int scanCode) {
    for (int code : ReservedKeys)
        if (code == scanCode) return 1;
    return 0;
}

int actionUsingKey(const Settings* s, int context, int scanCode, int except) {
    for (int a = 0; a < ActionCount; ++a)
        if (a != except && ControlActions[a].context == context && s->key[a] == scanCode) return a;
    return -1;
}

int gameKeyFor(const Settings* s, int physicalKey, int context) {
    if (context == ContextNone) return physicalKey;
    for (int a = 0; a < ActionCount; ++a)
        if (ControlActions[a].context == context && s->key[a] == physicalKey) return ControlActions[a].gameKey;
    for (int a = 0; a < ActionCount; ++a)
        if (ControlActions[a].context == context && ControlActions[a].gameKey == physicalKey) return 0;
    return physicalKey;
}
