// Palettes of the pictures: a 256-colour palette cut from a canvas (entry 0 black,
// chosen colours kept exactly, the rest by median cut), the mapping of a canvas onto
// a palette, and writing the result as an 8-bit BMP.
#pragma once

#include <cstdint>

#include "canvas.h"
#include "display/display.h"

constexpr int MaxReserved = 32;

// Colours a picture's palette must hold exactly, after entry 0 (black).
struct ReservedColours {
    int count;
    Rgb colours[MaxReserved];
};

// Builds the palette of a canvas: entry 0 black, the reserved colours from entry 1 on,
// the picture's own colours after them; entry 255 repeats entry 254 and is never used.
void buildPicturePalette(const Canvas* c, const ReservedColours* reserved, PaletteEntry* palette);

// Maps every pixel to the nearest of the entries first..last (squared RGB distance),
// with a light ordered dither when dither is set. indices holds width * height bytes.
void mapCanvas(const Canvas* c, const PaletteEntry* palette, int first, int last, bool dither,
               uint8_t* indices);

// Nearest entry by the sum of absolute differences over first..last, lowest index on ties
// (the rule the game uses to pick its flat colours).
int nearestBySum(const PaletteEntry* palette, int first, int last, int r, int g, int b);

// Creates the folders of path below the output directory and writes the picture.
// Returns false with a message on failure.
bool writePicture(const char* outDir, const char* name, const uint8_t* indices, int width, int height,
                  const PaletteEntry* palette);

// A full screen: palette from the canvas, dithered mapping, written to outDir/name.
bool writeScreen(const char* outDir, const char* name, const Canvas* c, const ReservedColours* reserved);
