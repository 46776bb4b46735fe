// Polygon filling with the edge table, the depth test and screen-tiled textures.
#include "render/rasteriser.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/game_state.h"
#include "display/display.h"
#include "framework/framework.h"

float ZBuffer[ScreenWidth * ScreenHeight];
DepthRow DepthRows[ScreenHeight];
uint32_t DepthFrame = 1;
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

// How the columns first..last of a row stand this frame: [first, leftEnd] and
// [rightStart, last] read 100.0 (no depth stored yet), the columns between hold depths.
struct SpanParts {
    int leftEnd, rightStart;
};

// Claims columns first..last of row j (first <= last) for this frame: the row's stored
// columns grow to cover them, and any columns between the old and the new are set far.
inline SpanParts claimColumns(int j, int first, int last) {
    DepthRow& row = DepthRows[j];
    if (row.frame != DepthFrame) {
        row = DepthRow{DepthFrame, int16_t(first), int16_t(last)};
        return {last, last + 1};
    }
    float* depthRow = &ZBuffer[j * ScreenWidth];
    SpanParts parts{first - 1, last + 1};
    if (first < row.first) {
        parts.leftEnd = std::min(last, row.first - 1);
        if (last < row.first - 1) std::fill(depthRow + last + 1, depthRow + row.first, ZBufferFar);
        row.first = int16_t(first);
    }
    if (last > row.last) {
        parts.rightStart = std::max(first, row.last + 1);
        if (first > row.last + 1) std::fill(depthRow + row.last + 1, depthRow + first, ZBufferFar);
        row.last = int16_t(last);
    }
    return parts;
}

// A span's depths are a running sum, z + dz column after column, each sum rounded to
// float: a chain in which every step waits for the one before. Spans of ChainRows rows
// are summed side by side, one lane each, into ChainDepth; the depth tests then read
// the sums and no longer wait for them. Each lane adds exactly as a lone sum would.
constexpr int ChainRows = 8;

// One span to draw: row j, columns first..last (on the page, first <= last), z the
// depth one column before first; xl where the span began, off the page or not.
struct SpanJob {
    int j, xl, first, last;
    float z, dz;
};

// One row of sums per lane, column k of the span at [lane][k], so that a span's depths
// lie side by side like the depth row they are tested against.
alignas(16) float ChainDepth[ChainRows][ScreenWidth];

#if defined(__SSE2__)
// Four columns of four lanes, summed and turned so each lane's four land in its own row.
inline __m128 sumFourColumns(__m128 z, __m128 step, int lane0, int k) {
    __m128 c0 = _mm_add_ps(z, step);
    __m128 c1 = _mm_add_ps(c0, step);
    __m128 c2 = _mm_add_ps(c1, step);
    __m128 c3 = _mm_add_ps(c2, step);
    const __m128 last = c3;
    _MM_TRANSPOSE4_PS(c0, c1, c2, c3);
    _mm_store_ps(&ChainDepth[lane0][k], c0);
    _mm_store_ps(&ChainDepth[lane0 + 1][k], c1);
    _mm_store_ps(&ChainDepth[lane0 + 2][k], c2);
    _mm_store_ps(&ChainDepth[lane0 + 3][k], c3);
    return last;
}
#endif

void sumChains(const SpanJob* jobs, int count) {
    alignas(16) float z[ChainRows] = {}, dz[ChainRows] = {};
    int columns = 0;
    for (int i = 0; i < count; ++i) {
        z[i] = jobs[i].z;
        dz[i] = jobs[i].dz;
        columns = std::max(columns, jobs[i].last - jobs[i].first + 1);
    }
#if defined(__SSE2__)
    // Two sums of four lanes each, in flight together, four columns a step (a span is at
    // most ScreenWidth columns, a multiple of four).
    __m128 low = _mm_load_ps(z), high = _mm_load_ps(z + 4);
    const __m128 lowStep = _mm_load_ps(dz), highStep = _mm_load_ps(dz + 4);
    for (int k = 0; k < columns; k += 4) {
        low = sumFourColumns(low, lowStep, 0, k);
        if (count > 4) high = sumFourColumns(high, highStep, 4, k);
    }
#else
    for (int k = 0; k < columns; ++k)
        for (int i = 0; i < count; ++i) ChainDepth[i][k] = z[i] = z[i] + dz[i];
#endif
}
static_assert(ScreenWidth % 4 == 0, "chains are summed four columns a step");

// What a span writes: plot one column and step to the next, or fill a run of columns
// that all passed (and step past them). Writes straight to the page can also give the
// next sixteen pixels at once (sixteen) and step past them (skipSixteen).
struct PageWrite {
    static constexpr bool Blocks = true;
    uint8_t* row;
    uint8_t color;
    void plot(int k) { row[k] = color; }
    void step() {}
    void fill(int from, int to) { std::memset(row + from, color, size_t(to - from + 1)); }
#if defined(__SSE2__)
    bool sixteen(__m128i* pixels) const {
        *pixels = _mm_set1_epi8(char(color));
        return true;
    }
    void skipSixteen() {}
#endif
};

struct PlotWrite {
    static constexpr bool Blocks = false;
    int j;
    void plot(int k) { plotPixel(k, j); }
    void step() {}
    void fill(int from, int to) {
        for (int k = from; k <= to; ++k) plotPixel(k, j);
    }
};

struct TexelWrite {
    static constexpr bool Blocks = true;
    uint8_t* row;
    const uint8_t* texRow;
    int u, width;
    void plot(int k) { row[k] = texRow[u]; }
    void step() {
        if (++u == width) u = 0;
    }
    void fill(int from, int to) {
        for (int k = from; k <= to;) {
            const int n = std::min(to - k + 1, width - u);
            std::memcpy(row + k, texRow + u, size_t(n));
            k += n;
            u += n;
            if (u == width) u = 0;
        }
    }
#if defined(__SSE2__)
    // Only sixteen texels that do not wrap round the texture's row.
    bool sixteen(__m128i* pixels) const {
        if (u + 16 > width) return false;
        *pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(texRow + u));
        return true;
    }
    void skipSixteen() {
        u += 16;
        if (u == width) u = 0;
    }
#endif
};

// Depth-tested columns from..to, sums[0] being column from's sum: where the stored
// depth is greater than the sum (never for a NaN) the pixel is written and the depth
// takes the sum. In a fresh run the stored depth is 100.0 whatever the memory holds,
// and every column gets its depth written.
template <bool Fresh, class Write>
inline void depthRun(int from, int to, const float* sums, float* depthRow, Write& write) {
    for (int k = from; k <= to; ++k) {
        const float z = sums[k - from];
        if ((Fresh ? ZBufferFar : depthRow[k]) > z) {
            write.plot(k);
            depthRow[k] = z;
        } else if (Fresh) {
            depthRow[k] = ZBufferFar;
        }
        write.step();
    }
}

#if defined(__SSE2__)
// The same test sixteen columns a step, the pixels chosen by a mask of the passes.
template <bool Fresh, class Write>
inline void depthRunBlocks(int from, int to, const float* sums, float* depthRow, Write& write) {
    const __m128 far = _mm_set1_ps(ZBufferFar);
    int k = from;
    for (; k + 15 <= to; k += 16, sums += 16) {
        __m128i paint;
        if (!write.sixteen(&paint)) {
            depthRun<Fresh>(k, k + 15, sums, depthRow, write);
            continue;
        }
        __m128i passed[4];
        for (int q = 0; q < 4; ++q) {
            const __m128 z = _mm_loadu_ps(sums + 4 * q);
            const __m128 stored = Fresh ? far : _mm_loadu_ps(depthRow + k + 4 * q);
            const __m128 pass = _mm_cmplt_ps(z, stored);
            _mm_storeu_ps(depthRow + k + 4 * q, _mm_or_ps(_mm_and_ps(pass, z), _mm_andnot_ps(pass, stored)));
            passed[q] = _mm_castps_si128(pass);
        }
        const __m128i mask =
            _mm_packs_epi16(_mm_packs_epi32(passed[0], passed[1]), _mm_packs_epi32(passed[2], passed[3]));
        __m128i* pixels = reinterpret_cast<__m128i*>(write.row + k);
        const __m128i old = _mm_loadu_si128(pixels);
        _mm_storeu_si128(pixels, _mm_or_si128(_mm_and_si128(mask, paint), _mm_andnot_si128(mask, old)));
        write.skipSixteen();
    }
    depthRun<Fresh>(k, to, sums, depthRow, write);
}
#endif

template <bool Fresh, class Write>
inline void testedRun(int from, int to, const float* sums, float* depthRow, Write& write) {
#if defined(__SSE2__)
    if constexpr (Write::Blocks) {
        depthRunBlocks<Fresh>(from, to, sums, depthRow, write);
        return;
    }
#endif
    depthRun<Fresh>(from, to, sums, depthRow, write);
}

// A fresh run whose two ends lie nearer than 100.0 passes the test in every column: the
// sums move one way only (a NaN, once there, stays to the end), so every sum between
// lies between the two ends. The pixels go in one sweep, the depths in one copy.
template <class Write>
inline void freshRun(int from, int to, const float* sums, float* depthRow, Write& write) {
    if (from > to) return;
    if (!(sums[0] < ZBufferFar && sums[to - from] < ZBufferFar)) {
        testedRun<true>(from, to, sums, depthRow, write);
        return;
    }
    write.fill(from, to);
    std::memcpy(depthRow + from, sums, sizeof(float) * size_t(to - from + 1));
}

template <class Write>
void depthSpan(const SpanJob& s, int lane, Write& write) {
    float* depthRow = &ZBuffer[s.j * ScreenWidth];
    const SpanParts parts = claimColumns(s.j, s.first, s.last);
    const float* sums = ChainDepth[lane];  // column s.first's sum first
    freshRun(s.first, parts.leftEnd, sums, depthRow, write);
    testedRun<false>(parts.leftEnd + 1, parts.rightStart - 1, sums + (parts.leftEnd + 1 - s.first), depthRow, write);
    freshRun(parts.rightStart, s.last, sums + (parts.rightStart - s.first), depthRow, write);
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

void flatSpan(const FlatTarget& target, const SpanJob& s, int lane) {
    if (!target.page) {
        PlotWrite write{s.j};
        depthSpan(s, lane, write);
        return;
    }
    PageWrite write{target.page + ScreenWidth * s.j, target.color};
    depthSpan(s, lane, write);
}

void texturedSpan(const TextureSource& t, const SpanJob& s, int lane) {
    // u runs along with k; it wraps at the texture's width instead of a division per pixel.
    TexelWrite write{t.page + ScreenWidth * s.j, t.texels + (s.j % t.height) * t.rowLength,
                     (t.spanRelative ? s.first - s.xl : s.first) % t.width, t.width};
    depthSpan(s, lane, write);
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
    const SpanJob one{y, x, x, x, z, 0.0f};  // z + 0 is z: the one column's depth
    sumChains(&one, 1);
    PlotWrite write{y};
    depthSpan(one, 0, write);
}

void drawSpans(const SpanJob* jobs, int count, const TextureSource* texture, const FlatTarget& flat) {
    sumChains(jobs, count);
    for (int i = 0; i < count; ++i) {
        if (texture)
            texturedSpan(*texture, jobs[i], i);
        else
            flatSpan(flat, jobs[i], i);
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
    SpanJob jobs[ChainRows];
    int pending = 0;
    for (int j = firstRow; j <= lastRow; ++j) {
        const EdgeRow row = EdgeTable[j];
        EdgeTable[j] = EmptyRow;
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

void resetZBuffer() {
    if (++DepthFrame != 0) return;
    // The frame number came round: no row's depths are this frame's.
    for (DepthRow& row : DepthRows) row = DepthRow{};
    DepthFrame = 1;
}

float depthAt(int x, int y) {
    const DepthRow& row = DepthRows[y];
    if (row.frame != DepthFrame || x < row.first || x > row.last) return ZBufferFar;
    return ZBuffer[y * ScreenWidth + x];
}

void setDepthAt(int x, int y, float z) {
    claimColumns(y, x, x);
    ZBuffer[y * ScreenWidth + x] = z;
}
