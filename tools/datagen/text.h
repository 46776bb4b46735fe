// Text for the pictures: DejaVu faces rendered by FreeType, anti-aliased into a canvas.
// Strings are UTF-8; the arrows and the umlauts are drawn from the faces themselves.
#pragma once

#include "canvas.h"

enum FaceId {
    FaceBold = 0,       // DejaVu Sans Bold: titles
    FaceCondensed,      // DejaVu Sans Condensed Bold: headings, key caps
    FaceRegular,        // DejaVu Sans: body text
    FaceMonoBold,       // DejaVu Sans Mono Bold: the game's own font
    FaceCount
};

// Opens the faces from fontDir; returns false (with a message on stderr) if one is missing.
bool openFaces(const char* fontDir);
void closeFaces();
// The FreeType face of the given id (an FT_Face), for the font writer.
void* faceHandle(FaceId face);

// A text wider than its room (pixels) is named on stderr and counted: the pictures of a
// language whose words do not fit are a build error, never a cut-off word. Every drawn
// text must at least stay on its picture.
void requireRoom(FaceId face, int size, const char* text, float room);
void reportOverflow(const char* what, float width, float room);
int textOverflowCount();

// Width in pixels of the text at the pixel size.
float textWidth(FaceId face, int size, const char* text);
// Draws the text with its baseline at y, starting at x.
void drawString(Canvas* c, FaceId face, int size, float x, float y, Rgb colour, const char* text,
                float alpha = 1.0f);
// Text with a dark outline of the given radius (the game's title style).
void drawOutlined(Canvas* c, FaceId face, int size, float x, float y, Rgb colour, Rgb outline,
                  float radius, const char* text);
// Text with a soft drop shadow.
void drawShadowed(Canvas* c, FaceId face, int size, float x, float y, Rgb colour, const char* text);
// Centred horizontally on cx.
void drawCentred(Canvas* c, FaceId face, int size, float cx, float y, Rgb colour, const char* text);
void drawCentredOutlined(Canvas* c, FaceId face, int size, float cx, float y, Rgb colour, Rgb outline,
                         float radius, const char* text);
