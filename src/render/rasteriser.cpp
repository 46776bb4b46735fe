// A polygon through the rasteriser's stages: its edges into the edge table, the table's
// rows into spans, the spans drawn in batches with the depth test, flat or textured.
#include "render/rasteriser.h"

#include <algorithm>

#include "base/game_state.h"
#include "framework/framework.h"
#include "render/spans.h"

int32_t texturingEnabled = 1;
const int32_t TexturePad[TextureCount] = {3, 1, 0, 2, 2, 2, 1, 2, 1};

namespace {

// The texture whose row length counts from the start of the span, not the screen.
constexpr int SpanRelativeTexture = 3;

// Coordinates beyond this are not screen positions at all; such a polygon is
// dropped instead of walking millions of rows (the pipeline never makes one).
constexpr int32_t CoordinateLimit = 1 << 20;

// The first column of a span that lies on the page, with the depth carried to it.
int firstVisibleColumn(int xl, float dz, float* z) {
    if (xl >= 0) return xl;
    *z = *z + dz * float(-xl);
    return 0;
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

}  // namespace

void fillPolygon(ScreenPolygon p) {
    const int count = std::clamp(int(p.count), 0, ScreenPolygonMaxVertices);
    if (count == 0 || !withinLimits(p, count)) return;
    TextureSource texture{};
    const bool textured = chooseTexture(p, &texture);
    const FlatTarget flat = textured ? FlatTarget{nullptr, 0} : flatTarget();

    int ymin, ymax;
    enterPolygonEdges(p.x, p.y, p.z, count, &ymin, &ymax);

    const int firstRow = std::max(ymin, 0);
    const int lastRow = std::min(ymax, ScreenHeight - 1);
    SpanJob jobs[ChainRows];
    int pending = 0;
    for (int j = firstRow; j <= lastRow; ++j) {
        const EdgeRow row = takeEdgeRow(j);
        if (row.leftX == EdgeRowEmptyX) continue;
        const int xl = row.leftX, xr = row.rightX;
        const float dz = xr == xl ? 0.0f : (row.rightZ - row.leftZ) / float(xr - xl);
        SpanJob span{j, xl, 0, std::min(xr, ScreenWidth - 1), row.leftZ - dz, dz};
        span.first = firstVisibleColumn(xl, dz, &span.z);
        if (span.first > span.last) continue;
        jobs[pending++] = span;
        if (pending == ChainRows || j == lastRow) {
            drawSpans(jobs, pending, textured ? &texture : nullptr, flat);
            pending = 0;
        }
    }
    if (pending > 0) drawSpans(jobs, pending, textured ? &texture : nullptr, flat);
}
