// The rasteriser: fills screen polygons row by row into the drawing page with a
// per-pixel depth test, flat in the drawing colour or with a texture tiled in
// screen space; and a depth-tested line. By stage: the polygon's edges walked into the
// edge table (edge_table), the depth buffer's rows (depth_rows), the spans that test
// and write the pixels (spans, their vector work in span_vectors.h), the line
// (depth_line). This file takes a polygon through them.
#pragma once

#include <cstdint>

#include "render/depth_line.h"
#include "render/depth_rows.h"
#include "render/edge_table.h"
#include "render/screen_size.h"

constexpr int ScreenPolygonMaxVertices = 10;

// A polygon in screen coordinates with the view-space depth of each vertex.
struct ScreenPolygon {
    int32_t x[ScreenPolygonMaxVertices];
    int32_t y[ScreenPolygonMaxVertices];
    float z[ScreenPolygonMaxVertices];
    int32_t count;
    int32_t textured;
    int32_t texture;
};

// Texturing switch (the T key during a race); 1 at start-up.
extern int32_t texturingEnabled;

// Extra bytes after each texture row, by texture number: a row is W + pad bytes.
constexpr int TextureCount = 9;
extern const int32_t TexturePad[TextureCount];

void fillPolygon(ScreenPolygon p);
