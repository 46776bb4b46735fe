// The look shared by every screen: the alpine scene, the header and footer bands,
// key caps, panels and the rider silhouette.
#pragma once

#include "canvas.h"
#include "palette.h"
#include "text.h"

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;
constexpr int HeaderHeight = 56;
constexpr int FooterTop = 436;

// Colours of the game's look.
extern const Rgb Accent;      // signal orange
extern const Rgb White;
extern const Rgb Ink;         // near-black text on light panels
extern const Rgb Navy;        // bands
extern const Rgb PanelLight;  // light panels
extern const Rgb PanelEdge;

// Colours every screen keeps exactly in its palette (after black at entry 0).
const ReservedColours* screenReserved();

void drawSky(Canvas* c, int y0, int y1);
// Three ridges of mountains lighter with distance, snow on the farthest, down to baseY.
void drawMountains(Canvas* c, int baseY, int seed);
// A row of pine silhouettes standing on baseY.
void drawForestLine(Canvas* c, int baseY, float height, Rgb colour, int seed);
void drawPine(Canvas* c, float x, float baseY, float height, Rgb colour);
// Meadow from y0 down to the bottom with a dirt trail winding towards the viewer.
void drawMeadowAndTrail(Canvas* c, int y0, int seed);
// The whole morning scene: sky, mountains, forest, meadow and trail.
void drawAlpineScene(Canvas* c, int horizonY, int seed);

// A rider on a bike seen from the side; (x, y) is the point between the wheels on the
// ground, scale 1 is about 100 pixels long, angle in radians turns the whole figure.
void drawRider(Canvas* c, float x, float y, float scale, float angle, Rgb bike, Rgb body, Rgb helmet);

// The bands alone, without a title or keys (the screens of our own write theirs).
void drawHeaderBand(Canvas* c);
void drawFooterBand(Canvas* c);
// The header band with the screen's title (and an optional note at its right end).
void drawHeader(Canvas* c, const char* title, const char* note);
// Footer band with key caps: keys[i] is drawn as a cap followed by labels[i].
void drawFooter(Canvas* c, const char* const* keys, const char* const* labels, int count);
// One key cap with its top-left at (x, y); returns its width.
float drawKeyCap(Canvas* c, float x, float y, const char* key, int size);
// A key cap followed by its meaning; returns the x after the text.
float drawKeyLine(Canvas* c, float x, float y, const char* key, const char* text, int size, Rgb textColour);
// A light panel (for text the game writes in near-black).
void drawLightPanel(Canvas* c, float x0, float y0, float x1, float y1);
// A dark, translucent panel for white text over a picture.
void drawDarkPanel(Canvas* c, float x0, float y0, float x1, float y1, float alpha);
