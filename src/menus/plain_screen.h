// The screens of our own that draw text on a plain background (best times, options):
// their palette, a few colours set whole with the page, every other entry the
// background; the start of a frame; a line of text in one of the colours.
#pragma once

#include "display/display.h"

enum ScreenColour { Background, Text, Dim, Title, Highlight, Warning, ColourCount };

// Blue, green, red, as the display's palette entries hold them.
inline constexpr PaletteEntry ScreenColours[ColourCount] = {
    {40, 24, 16, 0},     // deep blue-black
    {235, 235, 235, 0},  // text
    {150, 150, 150, 0},  // hints
    {40, 200, 250, 0},   // title, amber
    {120, 230, 120, 0},  // the chosen line, green
    {80, 80, 240, 0},    // a refusal, red
};

inline void fillScreenPalette(PaletteEntry* palette) {
    for (int i = 0; i < 256; ++i) palette[i] = ScreenColours[i < ColourCount ? i : Background];
}

// Sets the palette, clears the page to the background and takes the font; false when
// there is no font to write with.
bool beginPlainScreen(DisplayContext* page, const PaletteEntry* palette, Font* font);
void drawScreenLine(int x, int y, int colour, const char* text);
