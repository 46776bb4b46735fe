// The pieces the screens of our own and the words over pages are drawn from, into an
// 8-bit page in the colours of a PageLook: dark panels that let the picture show
// through, bands, key caps with their meaning, the footer's row of keys, text with a
// shadow and the outlined title. Everything is clipped to the page and allocates nothing.
#pragma once

#include "display/display.h"
#include "menus/page_look.h"

// The arrows of the look's text font, for the key caps.
#define KeyArrowLeft "\x81"
#define KeyArrowUp "\x8D"
#define KeyArrowRight "\x8F"
#define KeyArrowDown "\x90"

// The footer band of the backdrop: the key caps sit in it.
constexpr int FooterBandTop = 436;

struct KeyHint {
    const char* key;    // on the cap
    const char* label;  // beside it
};

// A dark panel with a rim; left..right and top..bottom inclusive.
void drawPanel(DisplayContext* page, const PageLook& look, int left, int top, int right, int bottom);
// A solid box in one palette entry (the chosen line's band).
void fillBox(DisplayContext* page, int colour, int left, int top, int right, int bottom);

// Text with its top-left at (x, y) in a palette entry, with a one-pixel shadow.
void drawLookText(DisplayContext* page, const PageLook& look, const Font* font, int x, int y, int colour,
                  const char* text);
// The title style: white with a dark outline.
void drawOutlinedText(DisplayContext* page, const PageLook& look, const Font* font, int x, int y, const char* text);
int textWidthOf(const Font* font, const char* text);
// Text broken at spaces into lines no wider than width, lineHeight apart, at most
// maxLines (the rest is left out); returns the lines drawn.
int drawWrappedText(DisplayContext* page, const PageLook& look, const Font* font, int x, int y, int width,
                    int lineHeight, int maxLines, int colour, const char* text);

// One key cap with its top-left at (x, y); returns its width. Its height:
int keyCapHeight(const Font* font);
int drawKeyCap(DisplayContext* page, const PageLook& look, const Font* font, int x, int y, const char* key);
// A cap and its meaning after it in white; returns the x after the meaning.
int drawKeyHint(DisplayContext* page, const PageLook& look, const Font* font, int x, int y, const KeyHint& hint);
// The width drawKeyHint takes.
int keyHintWidth(const Font* font, const KeyHint& hint);
// The keys in a row centred between left and right, the caps' tops at y.
void drawKeyRow(DisplayContext* page, const PageLook& look, const Font* font, const KeyHint* hints, int count,
                int left, int right, int y);
// The keys in a row centred in the footer band.
void drawFooterKeys(DisplayContext* page, const PageLook& look, const Font* font, const KeyHint* hints, int count);
