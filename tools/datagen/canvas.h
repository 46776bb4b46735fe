// The generator's drawing surface: a full-colour picture in floating point that the
// shapes, gradients, noise and text are painted into before it is reduced to a
// 256-colour palette. One canvas is as large as the biggest picture, 640 x 480.
#pragma once

#include <cstdint>

struct Rgb {
    float r, g, b;
};

constexpr int CanvasMaxWidth = 640;
constexpr int CanvasMaxHeight = 480;

struct Canvas {
    int width;
    int height;
    Rgb pixels[CanvasMaxWidth * CanvasMaxHeight];
};

struct Vec2 {
    float x, y;
};

// A colour from 0..255 components.
inline Rgb rgb(float r, float g, float b) { return Rgb{r, g, b}; }
Rgb mixRgb(Rgb a, Rgb b, float t);
Rgb scaleRgb(Rgb a, float f);

void resetCanvas(Canvas* c, int width, int height, Rgb fill);
// Blends colour into one pixel with the given coverage (0..1); outside pixels are ignored.
void blendPixel(Canvas* c, int x, int y, Rgb colour, float alpha);

// ---- shapes ---------------------------------------------------------------
void fillRect(Canvas* c, float x0, float y0, float x1, float y1, Rgb colour, float alpha = 1.0f);
void gradientRect(Canvas* c, int x0, int y0, int x1, int y1, Rgb top, Rgb bottom);
void gradientRectH(Canvas* c, int x0, int y0, int x1, int y1, Rgb left, Rgb right);

// Fills one or more closed contours (even-odd rule) with anti-aliased edges.
// contourSizes gives the number of points of each contour, in order.
constexpr int MaxPathPoints = 1024;
void fillPath(Canvas* c, const Vec2* points, const int* contourSizes, int contourCount, Rgb colour,
              float alpha = 1.0f);
void fillPolygon(Canvas* c, const Vec2* points, int count, Rgb colour, float alpha = 1.0f);
void fillCircle(Canvas* c, float cx, float cy, float radius, Rgb colour, float alpha = 1.0f);
void fillEllipse(Canvas* c, float cx, float cy, float rx, float ry, Rgb colour, float alpha = 1.0f);
void fillRing(Canvas* c, float cx, float cy, float outer, float inner, Rgb colour, float alpha = 1.0f);
// A thick line with round ends (a tube).
void drawTube(Canvas* c, float x0, float y0, float x1, float y1, float width, Rgb colour,
              float alpha = 1.0f);
// A thick line with square ends.
void drawBar(Canvas* c, float x0, float y0, float x1, float y1, float width, Rgb colour,
             float alpha = 1.0f);
void fillRoundRect(Canvas* c, float x0, float y0, float x1, float y1, float radius, Rgb colour,
                   float alpha = 1.0f);
// An outline frame of the given thickness around a rounded rectangle.
void strokeRoundRect(Canvas* c, float x0, float y0, float x1, float y1, float radius, float width,
                     Rgb colour, float alpha = 1.0f);
// A closed or open polyline drawn as tubes.
void strokePolyline(Canvas* c, const Vec2* points, int count, float width, Rgb colour, bool closed);

// ---- noise ------------------------------------------------------------------
// Deterministic lattice hash in 0..1.
float hashNoise(int x, int y, int seed);
// Smooth value noise in 0..1, period in pixels.
float valueNoise(float x, float y, float period, int seed);
// Value noise that repeats every (tileW, tileH) pixels: for seamless textures.
float tiledNoise(float x, float y, float period, int tileW, int tileH, int seed);
// Adds grain of the given strength (in colour units) to a rectangle.
void addGrain(Canvas* c, int x0, int y0, int x1, int y1, float strength, int seed);
