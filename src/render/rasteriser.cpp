// Polygon filling with the edge table, the depth test and screen-tiled textures.
#include "render/rasteriser.h"

#include <algorithm>

#include "base/game_state.h"
#include "display/display.h"
#include "framework/framework.h"

float ZBuffer[ScreenWidth * ScreenHeight];
EdgeRow EdgeTable[ScreenHeight];
int32_t texturingEnabled = 1;
const int32_t TexturePad[TextureCount] = {3, 1, 0, 2, 2, 2, 1, 2, 1};

namespace {

// The texture whose row length counts from the start of the span, not the screen.
constexpr int SpanRelativeTexture = 3;

// Coordinates beyond this are not screen positions at all; such a polygon is
// dropped instead of walking millions of rows (the pipeline never makes one).
constexpr int32_t CoordinateLimit = 1 << 20;

constexpr EdgeRow EmptyRow = {EdgeRowEmptyX, EdgeRowEmptyX, EdgeRowEmptyZ, EdgeRowEmptyZ};

// What a textured span reads: the texture's pixel rows and the page it writes.
struct TextureSource {
    const uint8_t* texels;
    int width;
    int height;
    int rowLength;   // W + TexturePad
    bool spanRelative;
    uint8_t* page;
};

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

void edgePass(const ScreenPolygon& p, int count, int* ymin, int* ymax) {
    *ymin = ScreenHeight;
    *ymax = 0;
    for (int i = 0; i < count; ++i) {
        const int next = (i + 1) % count;
        *ymin = std::min(*ymin, int(p.y[i]));
        *ymax = std::max(*ymax, int(p.y[next]));
        if (p.y[i] > p.y[next])
            walkEdge(p.x[next], p.y[next], p.z[next], p.x[i], p.y[i], p.z[i]);
        else
            walkEdge(p.x[i], p.y[i], p.z[i], p.x[next], p.y[next], p.z[next]);
    }
}

// The first column of a span that lies on the page, with the depth carried to it.
int firstVisibleColumn(int xl, float dz, float* z) {
    if (xl >= 0) return xl;
    *z = *z + dz * float(-xl);
    return 0;
}

// Where flat spans go: straight into the current context's pixels when its viewport
// is the whole page, else pixel by pixel through plotPixel with its origin and clip.
struct FlatTarget {
    uint8_t* page;  // null: plot each pixel
    uint8_t color;
};

FlatTarget flatTarget() {
    const DisplayContext* dc = currentContext();
    if (!dc || !dc->pixels || dc->width != ScreenWidth || dc->height < ScreenHeight) return {nullptr, 0};
    if (dc->originX != 0 || dc->originY != 0 || dc->clipLeft > 0 || dc->clipTop > 0 ||
        dc->clipRight < ScreenWidth - 1 || dc->clipBottom < ScreenHeight - 1)
        return {nullptr, 0};
    return {dc->pixels, uint8_t(dc->color)};
}

void flatSpan(const FlatTarget& target, int j, int xl, int xr, float zl, float dz) {
    float z = zl - dz;
    const int last = std::min(xr, ScreenWidth - 1);
    float* depthRow = &depthAt(0, j);
    if (!target.page) {
        for (int k = firstVisibleColumn(xl, dz, &z); k <= last; ++k) {
            z = z + dz;
            if (depthRow[k] > z) {
                plotPixel(k, j);
                depthRow[k] = z;
            }
        }
        return;
    }
    uint8_t* pageRow = target.page + ScreenWidth * j;
    for (int k = firstVisibleColumn(xl, dz, &z); k <= last; ++k) {
        z = z + dz;
        if (depthRow[k] > z) {
            pageRow[k] = target.color;
            depthRow[k] = z;
        }
    }
}

void texturedSpan(const TextureSource& t, int j, int xl, int xr, float zl, float dz) {
    float z = zl - dz;
    const int last = std::min(xr, ScreenWidth - 1);
    const int first = firstVisibleColumn(xl, dz, &z);
    const uint8_t* texRow = t.texels + (j % t.height) * t.rowLength;
    uint8_t* pageRow = t.page + ScreenWidth * j;
    float* depthRow = &depthAt(0, j);
    // u runs along with k; it wraps at the texture's width instead of a division per pixel.
    int u = (t.spanRelative ? first - xl : first) % t.width;
    for (int k = first; k <= last; ++k) {
        z = z + dz;
        if (depthRow[k] > z) {
            pageRow[k] = texRow[u];
            depthRow[k] = z;
        }
        if (++u == t.width) u = 0;
    }
}

// Textured only when asked for, switched on, numbered 0..8, loaded, and there is a page.
bool chooseTexture(const ScreenPolygon& p, TextureSource* t) {
    if (!p.textured || !texturingEnabled) return false;
    if (p.texture < 0 || p.texture >= TextureCount) return false;
    const Bitmap* bitmap = GameState.textures[p.texture];
    if (!bitmap || !bitmap->pixels || bitmap->width <= 0 || bitmap->height <= 0) return false;
    if (bitmap->width + TexturePad[p.texture] > bitmap->bytesPerLine) return false;
    if (!CurrentPage || !*CurrentPage || !(*CurrentPage)->pixels) return false;
    t->texels = bitmap->pixels;
    t->width = bitmap->width;
    t->height = bitmap->height;
    t->rowLength = bitmap->width + TexturePad[p.texture];
    t->spanRelative = p.texture == SpanRelativeTexture;
    t->page = (*CurrentPage)->pixels;
    return true;
}

bool withinLimits(const ScreenPolygon& p, int count) {
    for (int i = 0; i < count; ++i) {
        if (p.x[i] < -CoordinateLimit || p.x[i] > CoordinateLimit) return false;
        if (p.y[i] < -CoordinateLimit || p.y[i] > CoordinateLimit) return false;
    }
    return true;
}

// Depth test of one line pixel, then the pixel in the drawing colour.
void testAndPlot(int x, int y, float z) {
    if (x < 0 || x >= ScreenWidth || y < 0 || y >= ScreenHeight) return;
    float& depth = depthAt(x, y);
    if (depth > z) {
        plotPixel(x, y);
        depth = z;
    }
}

}  // namespace

void fillPolygon(ScreenPolygon p) {
    const int count = std::clamp(int(p.count), 0, ScreenPolygonMaxVertices);
    if (count == 0 || !withinLimits(p, count)) return;
    TextureSource texture{};
    const bool textured = chooseTexture(p, &texture);
    const FlatTarget flat = textured ? FlatTarget{nullptr, 0} : flatTarget();

    int ymin, ymax;
    edgePass(p, count, &ymin, &ymax);

    const int firstRow = std::max(ymin, 0);
    const int lastRow = std::min(ymax, ScreenHeight - 1);
    for (int j = firstRow; j <= lastRow; ++j) {
        const EdgeRow row = EdgeTable[j];
        EdgeTable[j] = EmptyRow;
        if (row.leftX == EdgeRowEmptyX) continue;
        const int xl = row.leftX, xr = row.rightX;
        const float dz = xr == xl ? 0.0f : (row.rightZ - row.leftZ) / float(xr - xl);
        if (textured)
            texturedSpan(texture, j, xl, xr, row.leftZ, dz);
        else
            flatSpan(flat, j, xl, xr, row.leftZ, dz);
    }
}

void drawDepthLine(int x0, int y0, float z0, int x1, int y1, float z1) {
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
        std::swap(z0, z1);
    }
    int dx = x1 - x0;
    const int dy = y1 - y0;
    const float deltaZ = z1 - z0;
    int step = 1;
    if (dx <= 0) {
        step = -1;
        dx = -dx;
    }
    int x = x0, y = y0;
    float z = z0;
    if (dx > dy) {
        const float zstep = dx != 0 ? deltaZ / float(dx) : dy != 0 ? deltaZ / float(dy) : 0.0f;
        int e = 2 * dy - dx;
        testAndPlot(x, y, z);
        for (int i = 0; i < dx; ++i) {
            if (e >= 0) {
                y += 1;
                e += 2 * dy - 2 * dx;
            } else {
                e += 2 * dy;
            }
            x += step;
            z = z + zstep;
            testAndPlot(x, y, z);
        }
    } else {
        const float zstep = dy != 0 ? deltaZ / float(dy) : dx != 0 ? deltaZ / float(dx) : 0.0f;
        int e = 2 * dx - dy;
        testAndPlot(x, y, z);
        for (int i = 0; i < dy; ++i) {
            if (e >= 0) {
                x += step;
                e += 2 * dx - 2 * dy;
            } else {
                e += 2 * dx;
            }
            y += 1;
            z = z + zstep;
            testAndPlot(x, y, z);
        }
    }
}

void clearEdgeTable() {
    for (EdgeRow& row : EdgeTable) row = EmptyRow;
}

void resetZBuffer() { std::fill(ZBuffer, ZBuffer + ScreenWidth * ScreenHeight, ZBufferFar); }
