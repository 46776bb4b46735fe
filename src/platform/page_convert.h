// The page as a window shows it: 8-bit palette indices turned into 32-bit ARGB pixels.
// The SDL back-end converts every presented frame with it; the headless back-end does
// the same when asked (benchmarks and the timedemo), so both pay the player's cost.
#pragma once

#include <cstdint>

#include "display/display.h"

// The palette as opaque ARGB colours: 0xFF000000 | red << 16 | green << 8 | blue.
void paletteToArgb(const PaletteEntry* palette, uint32_t argb[256]);

// Converts width x height pixels (rows width bytes apart) through the palette into
// target, whose rows lie pitchBytes apart (a multiple of 4, at least 4 * width).
void convertPage(const uint8_t* pixels, int width, int height, const PaletteEntry* palette,
                 uint32_t* target, int pitchBytes);
