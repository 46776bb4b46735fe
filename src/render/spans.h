// The spans: one row of a polygon at a time, its depths summed (span_vectors.h), tested
// against the depth rows and written flat in the drawing colour or from a texture.
#pragma once

#include <cstdint>

#include "render/span_vectors.h"

// One span to draw: row j, columns first..last (on the page, first <= last), z the
// depth one column before first; xl where the span began, off the page or not.
struct SpanJob {
    int j, xl, first, last;
    float z, dz;
};

// What a textured span reads: the texture's pixel rows and the page it writes.
struct TextureSource {
    const uint8_t* texels;
    int width;
    int height;
    int rowLength;     // W + TexturePad
    bool spanRelative; // the row counts from the start of the span, not the screen
    uint8_t* page;
};

// Where flat spans go: straight into the current context's pixels when its viewport
// is the whole page, else pixel by pixel through plotPixel with its origin and clip.
struct FlatTarget {
    uint8_t* page;  // null: plot each pixel
    uint8_t color;
};
FlatTarget flatTarget();

// Draws count (1..ChainRows) spans: textured from *texture, or flat to `flat` when it is null.
void drawSpans(const SpanJob* jobs, int count, const TextureSource* texture, const FlatTarget& flat);

// The pixel (x, y) in the drawing colour through plotPixel, where depth z passes the
// depth test there; off the page nothing.
void plotTestedPixel(int x, int y, float z);
