// Span drawing: the depth sums of a batch of spans, the depth test of their columns and
// the pixels written where it passes.
#include "render/spans.h"

#include <algorithm>
#include <cstring>

#include "display/display.h"
#include "render/depth_rows.h"

namespace {

DepthChains Chains;

void sumChains(const SpanJob* jobs, int count) {
    float z[ChainRows] = {}, dz[ChainRows] = {};
    int columns = 0;
    for (int i = 0; i < count; ++i) {
        z[i] = jobs[i].z;
        dz[i] = jobs[i].dz;
        columns = std::max(columns, jobs[i].last - jobs[i].first + 1);
    }
    sumDepthChains(z, dz, count, columns, &Chains);
}

// What a span writes: plot one column and step to the next, or fill a run of columns
// that all passed (and step past them). Writes straight to the page can also give the
// next BlockColumns pixels at once (block) and step past them (skipBlock).
struct PageWrite {
    static constexpr bool Blocks = true;
    uint8_t* row;
    uint8_t color;
    void plot(int k) { row[k] = color; }
    void step() {}
    void fill(int from, int to) { std::memset(row + from, color, size_t(to - from + 1)); }
    bool block(PixelBlock* pixels) const {
        *pixels = repeatedPixel(color);
        return true;
    }
    void skipBlock() {}
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
    // Only texels that do not wrap round the texture's row.
    bool block(PixelBlock* pixels) const {
        if (u + BlockColumns > width) return false;
        *pixels = loadPixels(texRow + u);
        return true;
    }
    void skipBlock() {
        u += BlockColumns;
        if (u == width) u = 0;
    }
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

// The same test a block of columns a step, where the writer gives its pixels a block
// at a time; column by column where it cannot, and for the columns left over.
template <bool Fresh, class Write>
inline void depthRunBlocks(int from, int to, const float* sums, float* depthRow, Write& write) {
    int k = from;
    for (; k + BlockColumns - 1 <= to; k += BlockColumns, sums += BlockColumns) {
        PixelBlock paint;
        if (!write.block(&paint)) {
            depthRun<Fresh>(k, k + BlockColumns - 1, sums, depthRow, write);
            continue;
        }
        testBlock<Fresh>(sums, depthRow + k, write.row + k, paint);
        write.skipBlock();
    }
    depthRun<Fresh>(k, to, sums, depthRow, write);
}

template <bool Fresh, class Write>
inline void testedRun(int from, int to, const float* sums, float* depthRow, Write& write) {
    if constexpr (Write::Blocks)
        depthRunBlocks<Fresh>(from, to, sums, depthRow, write);
    else
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
    const float* sums = Chains.depth[lane];  // column s.first's sum first
    freshRun(s.first, parts.leftEnd, sums, depthRow, write);
    testedRun<false>(parts.leftEnd + 1, parts.rightStart - 1, sums + (parts.leftEnd + 1 - s.first), depthRow, write);
    freshRun(parts.rightStart, s.last, sums + (parts.rightStart - s.first), depthRow, write);
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

}  // namespace

FlatTarget flatTarget() {
    const DisplayContext* dc = currentContext();
    if (!dc || !dc->pixels || dc->width != ScreenWidth || dc->height < ScreenHeight) return {nullptr, 0};
    if (dc->originX != 0 || dc->originY != 0 || dc->clipLeft > 0 || dc->clipTop > 0 ||
        dc->clipRight < ScreenWidth - 1 || dc->clipBottom < ScreenHeight - 1)
        return {nullptr, 0};
    return {dc->pixels, uint8_t(dc->color)};
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

void plotTestedPixel(int x, int y, float z) {
    if (x < 0 || x >= ScreenWidth || y < 0 || y >= ScreenHeight) return;
    const SpanJob one{y, x, x, x, z, 0.0f};  // z + 0 is z: the one column's depth
    sumChains(&one, 1);
    PlotWrite write{y};
    depthSpan(one, 0, write);
}
