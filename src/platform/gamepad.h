// The gamepad: the first SDL game controller plugged in plays, read as the keys it
// stands for. Its buttons and sticks reach the game as the same key messages the
// keyboard makes, so the game's rules do not change.
#pragma once

#include <SDL.h>

#include "platform/platform.h"

// Opens the first controller already plugged in (SDL_INIT_GAMECONTROLLER is up).
void gamepadStart();
void gamepadStop();
// Plug and unplug: the controller that plays stays until it goes, then the next one plays.
// Button presses are noted too, so that a tap between two readings is not lost.
void gamepadHandleEvent(const SDL_Event& event);
// Without the focus the gamepad holds no key; with it back, its keys are as they are then.
void gamepadSetFocus(int focused);
// Asked at every B press: 1 when B acts as Esc (the shop pages), 0 when it does nothing.
void gamepadSetEscapeRule(int (*bActsAsEsc)());
// The next key message of a change in the controller's state; 0 when nothing changed.
// keyboardModifiers are SDL's modifier keys held on the keyboard.
int gamepadNextMessage(PlatformMessage* message, unsigned keyboardModifiers);

// What one reading of the controller says.
struct GamepadReading {
    int button[SDL_CONTROLLER_BUTTON_MAX];
    int axis[SDL_CONTROLLER_AXIS_MAX];
};

// The keys (set-1 scan codes) a reading holds down: held[code] = 1.
void gamepadHeldKeys(const GamepadReading& reading, int bActsAsEsc, unsigned char held[256]);
