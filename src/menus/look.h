// The look of the screens of our own: the backdrop picture (the landscape between a
// header and a footer band), the text and title fonts of the generated data, loaded on
// first use and kept; a screen's page begun with the backdrop and its title. The words
// over the game's pages use the same fonts in the colours of the page under them.
#pragma once

#include "display/display.h"
#include "menus/page_look.h"

struct LookData {
    Bitmap* backdrop;
    Font* text;       // proportional, about 17 pixels: lines, key caps
    Font* title;      // the screens' titles
    PageLook screen;  // the backdrop's palette
    PageLook over;    // the palette of the page the words over pages were last drawn on
    int loadTried;
};

extern LookData Look;

// Loads what is missing (once); false when the text font is not there.
bool loadLook();
// Sets the backdrop's palette, draws it and the title in the header band; false (the page
// left as it is) without the backdrop or the fonts.
bool beginLookScreen(DisplayContext* page, const char* title);
// The look matched to the page's own palette, for the words over it; null without the
// text font.
const PageLook* lookOverPage(DisplayContext* page);
// Everything let go (tests, shutdown).
void releaseLook();
