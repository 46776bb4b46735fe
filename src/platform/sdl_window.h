// What the windowed game's entry sets on the SDL window before the game starts.
#pragma once

// Full screen shows the page at the largest whole multiple, centred on black (0), or
// fills the screen with the aspect ratio kept (1).
void sdlSetFullScreenFill(int fill);
// Asked while the gamepad's B is up: 1 when B, pressed now, acts as Esc.
void sdlSetGamepadEscapeRule(int (*bActsAsEsc)());
void sdlSetGamepadMainMenuRule(int (*onMainMenu)());
