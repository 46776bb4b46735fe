// Edges walked row by row into the edge table.
#include "render/edge_table.h"

#include <algorithm>

EdgeRow EdgeTable[ScreenHeight];

namespace {

// Enters one edge crossing (x, z) into row r.
void enterCrossing(int r, int x, float z) {
    if (r < 0 || r >= ScreenHeight) return;
    EdgeRow& row = EdgeTable[r];
    if (row.leftX == EdgeRowEmptyX) {
        row.leftX = x;
        row.leftZ = z;
    } else if (row.leftX > x) {
        row.rightX = row.leftX;
        row.rightZ = row.leftZ;
        row.leftX = x;
        row.leftZ = z;
    } else {
        row.rightX = x;
        row.rightZ = z;
    }
}

// One edge from (xa, ya, za) down to (xb, yb, zb), ya <= yb.
void walkEdge(int xa, int ya, float za, int xb, int yb, float zb) {
    if (ya == yb) {
        if (ya < 0 || ya >= ScreenHeight) return;
        // A horizontal edge overwrites its row, the smaller x on the left.
        EdgeTable[ya] = xa < xb ? EdgeRow{xa, xb, za, zb} : EdgeRow{xb, xa, zb, za};
        return;
    }
    const float slope = float(xb - xa) / float(yb - ya);
    const float zslope = (zb - za) / float(yb - ya);
    float z = za - zslope;
    int r = ya;
    if (r < 0) {  // rows above the page: skipped (never the case for the pipeline)
        z = z + zslope * float(-r);
        r = 0;
    }
    const int last = std::min(yb - 1, ScreenHeight - 1);  // the bottom end's row is left out
    for (; r <= last; ++r) {
        const int x = xa + int(float(r - ya) * slope);
        z = z + zslope;
        enterCrossing(r, x, z);
    }
}

}  // namespace

void enterPolygonEdges(const int32_t* x, const int32_t* y, const float* z, int count, int* ymin, int* ymax) {
    *ymin = ScreenHeight;
    *ymax = 0;
    for (int i = 0; i < count; ++i) {
        const int next = (i + 1) % count;
        *ymin = std::min(*ymin, int(y[i]));
        *ymax = std::max(*ymax, int(y[next]));
        if (y[i] > y[next])
            walkEdge(x[next], y[next], z[next], x[i], y[i], z[i]);
        else
            walkEdge(x[i], y[i], z[i], x[next], y[next], z[next]);
    }
}

void clearEdgeTable() {
    for (EdgeRow& row : EdgeTable) row = EmptyEdgeRow;
}
