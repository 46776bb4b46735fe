// SDL key positions and the PC set-1 scan codes the game knows its keys by. Both
// name positions on the keyboard, not letters, so the table holds whatever the layout.
#include "platform/sdl_keys.h"

#include <SDL_keyboard.h>
#include <SDL_keycode.h>
#include <SDL_scancode.h>

#include <cstring>

#include "base/game_state.h"
#include "base/keyboard_layout.h"
#include "base/scan_codes.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace {

struct ScanCodePair {
    SDL_Scancode sdl;
    ScanCode set1;
};

// SDL key positions and their PC set-1 scan codes.
constexpr ScanCodePair ScanCodes[] = {
    {SDL_SCANCODE_ESCAPE, ScanEsc}, {SDL_SCANCODE_1, Scan1}, {SDL_SCANCODE_2, Scan2},
    {SDL_SCANCODE_3, Scan3}, {SDL_SCANCODE_4, Scan4}, {SDL_SCANCODE_5, Scan5},
    {SDL_SCANCODE_6, Scan6}, {SDL_SCANCODE_7, Scan7}, {SDL_SCANCODE_8, Scan8},
    {SDL_SCANCODE_9, Scan9}, {SDL_SCANCODE_0, Scan0}, {SDL_SCANCODE_MINUS, ScanMinus},
    {SDL_SCANCODE_EQUALS, ScanEquals}, {SDL_SCANCODE_BACKSPACE, ScanBackspace},
    {SDL_SCANCODE_TAB, ScanTab}, {SDL_SCANCODE_Q, ScanQ}, {SDL_SCANCODE_W, ScanW},
    {SDL_SCANCODE_E, ScanE}, {SDL_SCANCODE_R, ScanR}, {SDL_SCANCODE_T, ScanT},
    {SDL_SCANCODE_Y, ScanY}, {SDL_SCANCODE_U, ScanU}, {SDL_SCANCODE_I, ScanI},
    {SDL_SCANCODE_O, ScanO}, {SDL_SCANCODE_P, ScanP},
    {SDL_SCANCODE_LEFTBRACKET, ScanLeftBracket}, {SDL_SCANCODE_RIGHTBRACKET, ScanRightBracket},
    {SDL_SCANCODE_RETURN, ScanEnter}, {SDL_SCANCODE_KP_ENTER, ScanEnter},
    {SDL_SCANCODE_LCTRL, ScanCtrl}, {SDL_SCANCODE_RCTRL, ScanCtrl}, {SDL_SCANCODE_A, ScanA},
    {SDL_SCANCODE_S, ScanS}, {SDL_SCANCODE_D, ScanD}, {SDL_SCANCODE_F, ScanF},
    {SDL_SCANCODE_G, ScanG}, {SDL_SCANCODE_H, ScanH}, {SDL_SCANCODE_J, ScanJ},
    {SDL_SCANCODE_K, ScanK}, {SDL_SCANCODE_L, ScanL}, {SDL_SCANCODE_SEMICOLON, ScanSemicolon},
    {SDL_SCANCODE_APOSTROPHE, ScanApostrophe}, {SDL_SCANCODE_GRAVE, ScanGrave},
    {SDL_SCANCODE_LSHIFT, ScanLeftShift}, {SDL_SCANCODE_BACKSLASH, ScanBackslash},
    {SDL_SCANCODE_NONUSHASH, ScanBackslash}, {SDL_SCANCODE_Z, ScanZ}, {SDL_SCANCODE_X, ScanX},
    {SDL_SCANCODE_C, ScanC}, {SDL_SCANCODE_V, ScanV}, {SDL_SCANCODE_B, ScanB},
    {SDL_SCANCODE_N, ScanN}, {SDL_SCANCODE_M, ScanM}, {SDL_SCANCODE_COMMA, ScanComma},
    {SDL_SCANCODE_PERIOD, ScanPeriod}, {SDL_SCANCODE_SLASH, ScanSlash},
    {SDL_SCANCODE_RSHIFT, ScanRightShift}, {SDL_SCANCODE_KP_MULTIPLY, ScanKeypadMultiply},
    {SDL_SCANCODE_LALT, ScanAlt}, {SDL_SCANCODE_RALT, ScanAlt}, {SDL_SCANCODE_SPACE, ScanSpace},
    {SDL_SCANCODE_CAPSLOCK, ScanCapsLock}, {SDL_SCANCODE_F1, ScanF1}, {SDL_SCANCODE_F2, ScanF2},
    {SDL_SCANCODE_F3, ScanF3}, {SDL_SCANCODE_F4, ScanF4}, {SDL_SCANCODE_F5, ScanF5},
    {SDL_SCANCODE_F6, ScanF6}, {SDL_SCANCODE_F7, ScanF7}, {SDL_SCANCODE_F8, ScanF8},
    {SDL_SCANCODE_F9, ScanF9}, {SDL_SCANCODE_F10, ScanF10},
    {SDL_SCANCODE_NUMLOCKCLEAR, ScanNumLock}, {SDL_SCANCODE_SCROLLLOCK, ScanScrollLock},
    {SDL_SCANCODE_KP_7, ScanHome}, {SDL_SCANCODE_HOME, ScanHome}, {SDL_SCANCODE_KP_8, ScanUp},
    {SDL_SCANCODE_UP, ScanUp}, {SDL_SCANCODE_KP_9, ScanPageUp},
    {SDL_SCANCODE_PAGEUP, ScanPageUp}, {SDL_SCANCODE_KP_MINUS, ScanKeypadMinus},
    {SDL_SCANCODE_KP_4, ScanLeft}, {SDL_SCANCODE_LEFT, ScanLeft},
    {SDL_SCANCODE_KP_5, ScanKeypadCentre}, {SDL_SCANCODE_KP_6, ScanRight},
    {SDL_SCANCODE_RIGHT, ScanRight}, {SDL_SCANCODE_KP_PLUS, ScanKeypadPlus},
    {SDL_SCANCODE_KP_1, ScanEnd}, {SDL_SCANCODE_END, ScanEnd}, {SDL_SCANCODE_KP_2, ScanDown},
    {SDL_SCANCODE_DOWN, ScanDown}, {SDL_SCANCODE_KP_3, ScanPageDown},
    {SDL_SCANCODE_PAGEDOWN, ScanPageDown}, {SDL_SCANCODE_KP_0, ScanInsert},
    {SDL_SCANCODE_INSERT, ScanInsert}, {SDL_SCANCODE_KP_PERIOD, ScanDelete},
    {SDL_SCANCODE_DELETE, ScanDelete}, {SDL_SCANCODE_NONUSBACKSLASH, ScanLessThan},
    {SDL_SCANCODE_F11, ScanF11}, {SDL_SCANCODE_F12, ScanF12},
    {SDL_SCANCODE_KP_DIVIDE, ScanSlash}, {SDL_SCANCODE_PRINTSCREEN, ScanKeypadMultiply},
    {SDL_SCANCODE_PAUSE, ScanNumLock},
};

// The physical keys held and the game's key each went down as; the game's keys a tap
// holds down (an action the player toggles), and the physical keys whose let-go the
// game never hears, since the next tap lets the action go.
struct KeyTranslation {
    int (*context)();
    unsigned char held[ScanCodeCount];
    unsigned char as[ScanCodeCount];
    unsigned char latched[ScanCodeCount];
    unsigned char tapped[ScanCodeCount];
    int latchedCount;
    int latchedScreen;   // the game's screen when the first key was latched
};

KeyTranslation Keys;

// The game's key `key` belongs to an action of the ride the player toggles.
bool toggledInRide(int key, int context) {
    if (context != ContextRide) return false;
    for (int a = 0; a < HeldActionCount; ++a)
        if (Setting.toggled[a] && ControlActions[a].gameKey == key) return true;
    return false;
}

int gameKeyOfEvent(int physical, int down, int context) {
    if (down) {
        if (!Keys.held[physical]) Keys.as[physical] = (unsigned char)gameKeyFor(&Setting, physical, context);
        Keys.held[physical] = 1;
        return Keys.as[physical];
    }
    const int key = Keys.held[physical] ? Keys.as[physical] : gameKeyFor(&Setting, physical, context);
    Keys.held[physical] = 0;
    return key;
}

// Another physical key, or a tap, holds the game's `key` down.
bool heldAs(int key) {
    if (Keys.latched[key]) return true;
    for (int p = 0; p < ScanCodeCount; ++p)
        if (Keys.held[p] && Keys.as[p] == key) return true;
    return false;
}

void fillKeyMessage(PlatformMessage* m, int code, int down, int repeat, unsigned mods, unsigned time) {
    const bool alt = (mods & KMOD_ALT) != 0 || code == ScanAlt || heldAs(ScanAlt);
    *m = PlatformMessage{};
    m->time = time;
    m->type = down ? (alt ? MsgSysKeyDown : MsgKeyDown) : (alt ? MsgSysKeyUp : MsgKeyUp);
    m->scanCode = code;
    m->character = down ? germanCharacterOf(code) : 0;
    m->wasDown = down ? repeat : 1;
    m->altContext = alt;
    m->shift = (mods & KMOD_SHIFT) != 0;
    m->ctrl = (mods & KMOD_CTRL) != 0 || heldAs(ScanCtrl);
}

// A tap of a toggled action: the first holds its key down, the next lets it go; the
// let-go of the physical key and its repeats say nothing. -1 when the game hears nothing.
int tapToggle(int physical, int code, int down, int repeat) {
    if (!down) {
        const bool wasTap = Keys.tapped[physical];
        Keys.tapped[physical] = 0;
        return wasTap ? -1 : 0;
    }
    if (repeat || Keys.tapped[physical]) return -1;
    Keys.tapped[physical] = 1;
    if (Keys.latched[code]) {
        Keys.latched[code] = 0;
        --Keys.latchedCount;
        return 0;
    }
    if (Keys.latchedCount++ == 0) Keys.latchedScreen = GameState.screen;
    Keys.latched[code] = 1;
    return 1;
}

}  // namespace

void sdlSetKeyContextRule(int (*context)()) { Keys.context = context; }

int sdlKeyContext() { return Keys.context ? Keys.context() : ContextNone; }

void sdlResetKeys() {
    int (*context)() = Keys.context;
    Keys = KeyTranslation{};
    Keys.context = context;
}

int sdlKeyMessage(PlatformMessage* m, int sdlScancode, int down, int repeat, unsigned mods, unsigned time) {
    const int physical = set1ScanCode(sdlScancode);
    if (physical <= 0 || physical >= ScanCodeCount) return 0;
    const int context = sdlKeyContext();
    const int code = gameKeyOfEvent(physical, down, context);
    if (code == 0) return 0;
    if (Keys.tapped[physical] || toggledInRide(code, context)) {
        down = tapToggle(physical, code, down, repeat);
        if (down < 0) return 0;
        repeat = 0;
    }
    fillKeyMessage(m, code, down, repeat, mods, time);
    return 1;
}

int sdlLatchedKeyRelease(PlatformMessage* m, unsigned mods, unsigned time) {
    if (Keys.latchedCount == 0) return 0;
    if (sdlKeyContext() == ContextRide && GameState.screen == Keys.latchedScreen) return 0;
    for (int key = 0; key < ScanCodeCount; ++key) {
        if (!Keys.latched[key]) continue;
        fillKeyMessage(m, key, 0, 0, mods, time);
        Keys.latched[key] = 0;
        --Keys.latchedCount;
        return 1;
    }
    return 0;
}

int set1ScanCode(int code) {
    for (const ScanCodePair& p : ScanCodes)
        if (p.sdl == code) return p.set1;
    return 0;
}

int platformKeyLabel(int scanCode) {
    for (const ScanCodePair& p : ScanCodes) {
        if (p.set1 != scanCode) continue;
        const SDL_Keycode key = SDL_GetKeyFromScancode(p.sdl);
        if ((key >= 'a' && key <= 'z') || (key >= '0' && key <= '9') || key == '-') return int(key);
    }
    return 0;
}
