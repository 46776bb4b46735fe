// The PC set-1 scan code of an SDL key position (an SDL_Scancode), 0 for a key the
// game has no code for.
#pragma once

int set1ScanCode(int sdlScancode);

struct PlatformMessage;

// Which part of the game keys go to now (a ControlContext of settings/settings.h), asked
// when a key goes down: the player's keys are translated for the ride or the menus, and
// not at all while a name is typed or a screen of our own is open.
void sdlSetKeyContextRule(int (*context)());
// That rule's answer now (ContextNone without one).
int sdlKeyContext();
// The message for one SDL key event: the physical key becomes the key the game expects
// under the player's settings (a key remembers what it went down as until it goes up),
// and a key acting as Alt or Ctrl gives the messages those keys give. 0 when the game
// gets nothing.
int sdlKeyMessage(PlatformMessage* message, int sdlScancode, int down, int repeat, unsigned sdlModifiers,
                  unsigned time);
// An action the player toggles (settings' toggled) hears a tap as holding would: the
// first tap gives its key-down, the next its key-up. A key so held is let go when the
// ride ends or the screen changes: this gives its key-up message (1), asked before the
// window's own messages; 0 when nothing is to be let go.
int sdlLatchedKeyRelease(PlatformMessage* message, unsigned sdlModifiers, unsigned time);
// No key held (tests).
void sdlResetKeys();
