// The options screen (F4 on the main menu, the gamepad's right shoulder there): every
// setting of the player's settings file, changed in place and written at once; a control
// moved by pressing its new key; a line that restores the defaults.
#pragma once

// What the window program does at once when a setting changes; every slot may be null.
struct OptionsHooks {
    void (*fullScreen)(int on);
    void (*fill)(int on);
    void (*windowScale)(int scale);
    void (*soundOn)(int on);
    void (*volumes)();
    void (*practice)(int on);
};

// Registers the screen and its key on the main menu.
void installOptionsScreen(const OptionsHooks* hooks);
