// The character a key gives on the German keyboard layout, by its set-1 scan code
// (the game's name entry follows the German key positions).
#pragma once

int germanCharacterOf(int scanCode);
