// The rasteriser: fills screen polygons row by row into the drawing page with a
// per-pixel depth test, flat in the drawing colour or with a texture tiled in
// screen space; and a depth-tested line.
#pragma once

#include <cstdint>

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;

// Depth of every pixel; smaller is nearer, drawFrame resets it to 100.0 each frame.
// The reset writes nothing: each row remembers the frame its stored depths belong to and
// the columns they cover, and reads 100.0 everywhere else. The spans store the depth of
// a column new to the frame along with its test, so each depth is written once a frame.
// Stored row by row, as the spans walk it: read and write it through depthAt/setDepthAt.
constexpr float ZBufferFar = 100.0f;
extern float ZBuffer[ScreenWidth * ScreenHeight];
struct DepthRow {
    uint32_t frame;        // the frame whose depths the row holds
    int16_t first, last;   // the columns holding them
};
extern DepthRow DepthRows[ScreenHeight];
extern uint32_t DepthFrame;
float depthAt(int x, int y);
void setDepthAt(int x, int y, float z);

// One row of the edge table: the span the polygon's edges leave in that row.
struct EdgeRow {
    int32_t leftX;
    int32_t rightX;
    float leftZ;
    float rightZ;
};
constexpr int32_t EdgeRowEmptyX = -100;
constexpr float EdgeRowEmptyZ = 100.0f;
extern EdgeRow EdgeTable[ScreenHeight];

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
void drawDepthLine(int x0, int y0, float z0, int x1, int y1, float z1);

// Every edge-table row empty (initGame; fillPolygon keeps it so between calls).
void clearEdgeTable();
// Every depth to 100.0 (drawFrame, every frame): a new frame number.
void resetZBuffer();
