// The PC set-1 scan code of an SDL key position (an SDL_Scancode), 0 for a key the
// game has no code for.
#pragma once

int set1ScanCode(int sdlScancode);
