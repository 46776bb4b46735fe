// The race view: the three segments of the window carried into view space, given
// clip codes, rejected, drawn directly or clipped, projected to the screen and filled
// with the depth test; then the handlebar on top.
#pragma once

#include <cstdint>

#include "base/math3d.h"
#include "render/clip.h"
#include "render/rasteriser.h"
#include "track/segment_mesh.h"

// World to screen-ready view space for one frame: identity x CameraMatrix x LensMatrix;
// the identity between race frames.
extern Matrix4 ViewMatrix;
// diag(1.732, 2.31, 1, 1): widens the view volume to the screen's proportions.
extern Matrix4 LensMatrix;
// (x, y, z, 1) -> (x, y, 1, z): the perspective divide through the normalising assignment.
extern Matrix4 ProjectionMatrix;

// ViewMatrix to the identity, LensMatrix and ProjectionMatrix to their constants.
void initRenderMatrices();

// View-space vertices of one tile or one object slot, transformed once per frame.
constexpr int VertexWorkSize = 50;
struct VertexWork {
    Point3 view[VertexWorkSize];
    int32_t code[VertexWorkSize];
    int32_t count;  // vertices transformed
};

// A view-space point in screen coordinates: column, row, and its view-space depth.
struct ScreenPoint {
    int32_t x;
    int32_t y;
    float z;
};
ScreenPoint mapToScreen(const Point3& p);

constexpr int32_t NoTexture = -1;
// The texture a tile triangle's colour asks for, or NoTexture for a flat fill.
int32_t meshTextureOf(const MeshPolygon& polygon);

// A directly drawn triangle (every corner inside): mapped as it is.
ScreenPolygon directScreenPolygon(const Point3& a, const Point3& b, const Point3& c,
                                  int32_t texture);
// A clipped polygon: mapped, then held to columns 2..638 and rows 1..478.
ScreenPolygon clippedScreenPolygon(const ClipPolygon& polygon, int32_t texture);

// The tile triangle procedure: reject, draw directly, or clip and draw.
void drawMeshTriangle(const VertexWork& work, const MeshPolygon& polygon);
// An object triangle: drawn only when every corner is inside, never clipped; white
// triangles take objectTexture (NoTexture: flat).
void drawObjectTriangle(const VertexWork& work, const MeshPolygon& polygon,
                        int32_t objectTexture);

// One race frame into the drawing page (drawFrame has reset the ZBuffer); it only draws:
// advanceRaceFrame has moved the window for the frame.
void drawRaceView();
