// One page's palette seen as the game's look: the nearest entry for each colour of the
// look and what every entry becomes under a dark panel. The screens of our own match
// their backdrop's palette once; the words over pages match the palette of the page
// under them, again only when it changes.
#pragma once

#include <cstdint>

#include "display/display.h"
#include "menus/look_colours.h"

struct PageLook {
    PaletteEntry palette[256];        // the palette matched
    uint8_t colour[LookColourCount];  // the entry of each colour of the look
    uint8_t underPanel[256];          // every entry as seen through a dark panel
    int matched;
};

// Matches the look to the palette; no work when it is the palette matched last.
void matchPageLook(PageLook* look, const PaletteEntry* palette);

// The two colours of a signal read by its colour (ahead and behind, a course's start and
// finish, a course proved and one with problems): the look's green and red, or blue and
// orange where the player's settings ask for colours safe for the colour-blind.
struct SignalColours {
    LookColour good, bad;
};
SignalColours signalColours();
