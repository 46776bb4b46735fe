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
// Asked while B is up: 1 when B, pressed now, acts as Esc (the shop pages), 0 when it
// does nothing; it stays that key until let go.
void gamepadSetEscapeRule(int (*bActsAsEsc)());
// Asked at every reading: 1 while the main menu shows, where Y and the shoulders open the
// course screen, the best times and the options instead of acting as T and Alt.
void gamepadSetMainMenuRule(int (*onMainMenu)());
// The next key message of a change in the controller's state; 0 when nothing changed.
// keyboardModifiers are SDL's modifier keys held on the keyboard.
int gamepadNextMessage(PlatformMessage* message, unsigned keyboardModifiers);
