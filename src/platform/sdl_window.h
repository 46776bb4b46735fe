// What the windowed game's entry sets on the SDL window before the game starts.
#pragma once

// Full screen shows the page at the largest whole multiple, centred on black (0), or
// fills the screen with the aspect ratio kept (1).
void sdlSetFullScreenFill(int fill);
// The window's size in whole multiples of the page; 0 is the largest that fits. An open
// window takes it at once.
void sdlSetWindowScale(int scale);
// Full screen from the start (the first messages taken switch to it).
void sdlSetStartFullScreen(int on);
// Full screen (1) or the window (0) now, as Alt+Enter switches.
void sdlRequestFullScreen(int on);
// Told whenever the display goes to full screen (1) or back to the window (0).
void sdlSetFullScreenWatcher(void (*changed)(int fullScreen));
int sdlFullScreen();
// Asked while the gamepad's B is up: 1 when B, pressed now, acts as Esc.
void sdlSetGamepadEscapeRule(int (*bActsAsEsc)());
void sdlSetGamepadMainMenuRule(int (*onMainMenu)());
// Practice speed (1): the main loop is paced to half the game's 60 iterations a second;
// 0 is the usual speed.
void sdlSetPracticeSpeed(int on);
