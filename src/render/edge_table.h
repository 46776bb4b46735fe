// The edge table: one row per page row, holding the span a polygon's edges leave in it.
// A polygon's edges are walked into the table, then its rows are taken out one by one
// and left empty, so the table is empty between polygons.
#pragma once

#include <cstdint>

#include "render/screen_size.h"

struct EdgeRow {
    int32_t leftX;
    int32_t rightX;
    float leftZ;
    float rightZ;
};
constexpr int32_t EdgeRowEmptyX = -100;
constexpr float EdgeRowEmptyZ = 100.0f;
constexpr EdgeRow EmptyEdgeRow = {EdgeRowEmptyX, EdgeRowEmptyX, EdgeRowEmptyZ, EdgeRowEmptyZ};
extern EdgeRow EdgeTable[ScreenHeight];

// Every edge-table row empty (initGame; fillPolygon keeps it so between calls).
void clearEdgeTable();

// Walks the edges of the polygon (x[i], y[i], z[i]), i < count, each vertex to the next
// and the last to the first, into the rows they cross. *ymin and *ymax: the rows the
// polygon's vertices lie between (not clipped to the page).
void enterPolygonEdges(const int32_t* x, const int32_t* y, const float* z, int count, int* ymin, int* ymax);

// Row r's span, the row left empty.
inline EdgeRow takeEdgeRow(int r) {
    const EdgeRow row = EdgeTable[r];
    EdgeTable[r] = EmptyEdgeRow;
    return row;
}
