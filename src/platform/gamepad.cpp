// The gamepad's key table and the comparison of each reading with the keys it held.
#include "platform/gamepad.h"

#include <cstring>

#include "base/keyboard_layout.h"
#include "base/scan_codes.h"
#include "platform/pad_toggle.h"
#include "platform/sdl_keys.h"
#include "settings/settings.h"

static_assert(int(PadA) == int(SDL_CONTROLLER_BUTTON_A) && int(PadY) == int(SDL_CONTROLLER_BUTTON_Y) &&
                  int(PadStart) == int(SDL_CONTROLLER_BUTTON_START) &&
                  int(PadRightShoulder) == int(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER),
              "the settings' gamepad buttons are SDL's, in SDL's order");

namespace {

// A stick must leave its middle by a quarter of its travel, a trigger be pulled by a
// quarter, before it counts.
constexpr int DeadZone = 8192;

enum InputKind { PadButton, AxisLow, AxisHigh };
enum InputWhere { Anywhere, ShopPagesOnly, OffMainMenu, OnMainMenu };

struct GamepadBinding {
    InputKind kind;
    int input;  // SDL_GameControllerButton or SDL_GameControllerAxis
    int key;    // the key it acts as
    InputWhere where;
};

// Gamepad -> key. B quits nothing by accident: only on the shop pages is it Esc (back one
// category); Back / Select is the one deliberate Esc.
constexpr GamepadBinding Bindings[] = {
    {PadButton, SDL_CONTROLLER_BUTTON_DPAD_UP, ScanUp, Anywhere},
    {PadButton, SDL_CONTROLLER_BUTTON_DPAD_DOWN, ScanDown, Anywhere},
    {PadButton, SDL_CONTROLLER_BUTTON_DPAD_LEFT, ScanLeft, Anywhere},
    {PadButton, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, ScanRight, Anywhere},
    {AxisLow, SDL_CONTROLLER_AXIS_LEFTY, ScanUp, Anywhere},
    {AxisHigh, SDL_CONTROLLER_AXIS_LEFTY, ScanDown, Anywhere},
    {AxisLow, SDL_CONTROLLER_AXIS_LEFTX, ScanLeft, Anywhere},
    {AxisHigh, SDL_CONTROLLER_AXIS_LEFTX, ScanRight, Anywhere},
    {PadButton, SDL_CONTROLLER_BUTTON_A, ScanEnter, Anywhere},
    {PadButton, SDL_CONTROLLER_BUTTON_START, ScanEnter, Anywhere},
    {PadButton, SDL_CONTROLLER_BUTTON_B, ScanEsc, ShopPagesOnly},
    {PadButton, SDL_CONTROLLER_BUTTON_BACK, ScanEsc, Anywhere},
    {AxisHigh, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, ScanUp, Anywhere},
    {AxisHigh, SDL_CONTROLLER_AXIS_TRIGGERLEFT, ScanCtrl, Anywhere},
    {PadButton, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, ScanAlt, OffMainMenu},
    {PadButton, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, ScanAlt, OffMainMenu},
    {PadButton, SDL_CONTROLLER_BUTTON_Y, ScanT, OffMainMenu},
    // On the main menu: the course screen, the best times, the options.
    {PadButton, SDL_CONTROLLER_BUTTON_Y, ScanF2, OnMainMenu},
    {PadButton, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, ScanF3, OnMainMenu},
    {PadButton, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, ScanF4, OnMainMenu},
    {PadButton, SDL_CONTROLLER_BUTTON_X, ScanS, Anywhere},
};

// Every key of the table once, in the order changes are reported.
constexpr int Keys[] = {ScanAlt, ScanCtrl, ScanUp, ScanDown, ScanLeft, ScanRight, ScanEnter,
                        ScanEsc, ScanT, ScanS, ScanF2, ScanF3, ScanF4};

// What one reading of the controller says.
struct GamepadReading {
    int button[SDL_CONTROLLER_BUTTON_MAX];
    int axis[SDL_CONTROLLER_AXIS_MAX];
};

struct Gamepad {
    SDL_GameController* controller;
    SDL_JoystickID id;
    int focused;
    int (*bActsAsEsc)();
    int (*onMainMenu)();
    int escOnB;                // the rule's answer while B is held
    int pressed[SDL_CONTROLLER_BUTTON_MAX];  // went down since the last reading
    unsigned char sent[256];   // the keys the game has been told are down
    PadToggle toggles[HeldActionCount];  // push and the brakes, where the player toggles them
};

Gamepad Pad = {nullptr, -1, 1, nullptr, nullptr, 0, {}, {}, {}};

bool isActive(const GamepadBinding& b, const GamepadReading& r) {
    if (b.kind == PadButton) return r.button[b.input] != 0;
    const int value = r.axis[b.input];
    return b.kind == AxisLow ? value <= -DeadZone : value >= DeadZone;
}

void openController(int deviceIndex) {
    if (Pad.controller || !SDL_IsGameController(deviceIndex)) return;
    Pad.controller = SDL_GameControllerOpen(deviceIndex);
    if (!Pad.controller) return;
    Pad.id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(Pad.controller));
}

void closeController() {
    if (Pad.controller) SDL_GameControllerClose(Pad.controller);
    Pad.controller = nullptr;
    Pad.id = -1;
}

void openFirstController() {
    for (int i = 0; i < SDL_NumJoysticks() && !Pad.controller; ++i) openController(i);
}

GamepadReading read() {
    GamepadReading r{};
    if (!Pad.controller || !Pad.focused) {
        std::memset(Pad.pressed, 0, sizeof Pad.pressed);
        return r;
    }  // no controller, no focus: nothing held
    // A tap shorter than one reading still counts, until all it changed is reported.
    int physical[SDL_CONTROLLER_BUTTON_MAX];
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b)
        physical[b] = SDL_GameControllerGetButton(Pad.controller, SDL_GameControllerButton(b)) || Pad.pressed[b];
    // The player's buttons: each button reads the one that acts as it.
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
        const int from = b < PadButtonCount ? Setting.padButton[b] : b;
        r.button[b] = physical[from >= 0 && from < PadButtonCount ? from : b];
    }
    for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a)
        r.axis[a] = SDL_GameControllerGetAxis(Pad.controller, SDL_GameControllerAxis(a));
    return r;
}

void fillKeyMessage(PlatformMessage* m, int key, int down, unsigned keyboardModifiers) {
    *m = PlatformMessage{};
    // Alt as the keyboard reports it, but never on Enter: a gamepad makes no Alt+Enter.
    const bool alt = key != ScanEnter &&
                     (key == ScanAlt || Pad.sent[ScanAlt] || (keyboardModifiers & KMOD_ALT) != 0);
    m->type = down ? (alt ? MsgSysKeyDown : MsgKeyDown) : (alt ? MsgSysKeyUp : MsgKeyUp);
    m->scanCode = key;
    m->character = down ? germanCharacterOf(key) : 0;
    m->wasDown = down ? 0 : 1;
    m->altContext = alt ? 1 : 0;
    m->shift = (keyboardModifiers & KMOD_SHIFT) != 0;
    m->ctrl = Pad.sent[ScanCtrl] || (keyboardModifiers & KMOD_CTRL) != 0;
    m->time = SDL_GetTicks();
}

bool bindingApplies(InputWhere where, int bActsAsEsc, int mainMenu) {
    switch (where) {
    case ShopPagesOnly: return bActsAsEsc != 0;
    case OffMainMenu: return !mainMenu;
    case OnMainMenu: return mainMenu != 0;
    default: return true;
    }
}

// The keys (set-1 scan codes) a reading holds down: held[code] = 1.
void heldKeys(const GamepadReading& reading, int bActsAsEsc, unsigned char held[256]) {
    std::memset(held, 0, 256);
    const int mainMenu = Pad.onMainMenu ? Pad.onMainMenu() : 0;
    for (const GamepadBinding& b : Bindings)
        if (bindingApplies(b.where, bActsAsEsc, mainMenu) && isActive(b, reading)) held[b.key] = 1;
    // Push and the brakes the player toggles: a press holds the key through the ride.
    const bool ride = sdlKeyContext() == ContextRide;
    for (int a = 0; a < HeldActionCount; ++a) {
        const int key = ControlActions[a].gameKey;
        held[key] = (unsigned char)padToggleReading(&Pad.toggles[a], held[key], ride && Setting.toggled[a]);
    }
}

}  // namespace

void gamepadStart() { openFirstController(); }

void gamepadStop() {
    closeController();
    std::memset(Pad.sent, 0, sizeof Pad.sent);
}

void gamepadHandleEvent(const SDL_Event& e) {
    if (e.type == SDL_CONTROLLERDEVICEADDED) {
        openController(e.cdevice.which);
    } else if (e.type == SDL_CONTROLLERBUTTONDOWN && e.cbutton.which == Pad.id &&
               e.cbutton.button < SDL_CONTROLLER_BUTTON_MAX) {
        Pad.pressed[e.cbutton.button] = 1;
    } else if (e.type == SDL_CONTROLLERDEVICEREMOVED && e.cdevice.which == Pad.id) {
        closeController();  // the keys it held are let go by the next comparison
        openFirstController();
    }
}

void gamepadSetFocus(int focused) { Pad.focused = focused; }

void gamepadSetEscapeRule(int (*bActsAsEsc)()) { Pad.bActsAsEsc = bActsAsEsc; }

void gamepadSetMainMenuRule(int (*onMainMenu)()) { Pad.onMainMenu = onMainMenu; }

int gamepadNextMessage(PlatformMessage* message, unsigned keyboardModifiers) {
    const GamepadReading reading = read();
    // The page decides what B is when it goes down; it stays that key until let go.
    if (!reading.button[SDL_CONTROLLER_BUTTON_B])
        Pad.escOnB = Pad.bActsAsEsc ? Pad.bActsAsEsc() : 0;
    unsigned char held[256];
    heldKeys(reading, Pad.escOnB, held);
    // Keys let go are reported before keys pressed.
    for (int pass = 0; pass < 2; ++pass) {
        const int down = pass;
        for (int key : Keys) {
            if (held[key] != down || Pad.sent[key] == down) continue;
            fillKeyMessage(message, key, down, keyboardModifiers);
            Pad.sent[key] = (unsigned char)down;
            return 1;
        }
    }
    std::memset(Pad.pressed, 0, sizeof Pad.pressed);
    return 0;
}
