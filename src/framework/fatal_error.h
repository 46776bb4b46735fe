// The one way the game ends abnormally, and the loads the game cannot do without.
#pragma once

#include "display/display.h"

// Closes the display, shows the text in a message box under "VRX Fatal Error!" and
// ends the process with status 1.
[[noreturn]] void fatalError(const char* text);

// Load or end the program through fatalError with the display layer's message and
// the file's name, e.g. "Bitmap file was not found: Images/Main.bmp".
Bitmap* requireBitmap(const char* fileName);
Font* requireFont(const char* fileName);
