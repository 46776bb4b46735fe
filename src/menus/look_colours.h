// The colours of the game's look that the screens of our own and the words over pages
// draw with at run time: the data generator keeps each in the backdrop's palette, and
// every page finds its nearest entry for each (menus/page_look.h).
#pragma once

#include <cstdint>

struct LookRgb {
    uint8_t red, green, blue;
};

enum LookColour {
    LookWhite,
    LookInk,        // key cap letters
    LookDim,        // hints, second lines
    LookAccent,     // signal orange: titles of panels, the chosen line
    LookGood,       // ahead, done
    LookWarning,    // a refusal, a broken course
    LookCapFace,
    LookCapEdge,
    LookPanelEdge,  // the rim of a dark panel
    LookSelection,  // the band under the chosen line
    LookGradeBlue,  // the course grades' colours beside good (green) and warning (red)
    LookPath,       // a course map's trail
    LookColourCount
};

inline constexpr LookRgb LookColours[LookColourCount] = {
    {255, 255, 255}, {24, 26, 30},   {200, 214, 232}, {255, 122, 0},  {110, 220, 100}, {240, 70, 56},
    {236, 238, 242}, {120, 124, 132}, {92, 108, 136},  {40, 66, 112},  {70, 130, 240},  {222, 196, 150},
};

// A dark panel shows what lies under it mixed with this colour, PanelCover of 256 parts.
inline constexpr LookRgb PanelTint = {8, 14, 28};
inline constexpr int PanelCover = 200;

inline constexpr uint8_t underPanel(uint8_t below, uint8_t tint) {
    return uint8_t((below * (256 - PanelCover) + tint * PanelCover) / 256);
}
