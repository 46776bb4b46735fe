// Scaling the page for a window surface. A page row is looked up and widened once into a
// row of output pixels kept in the cache, then written to the scale output rows it
// covers; on x86-64 with streaming stores, which leave the cache alone: the rows go
// straight to the memory the display server reads them from.
#include "platform/page_scale.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#define TG_STREAM_ROWS 1
#endif

namespace {

// One page row widened to the output (at most FitWidthLimit pixels).
uint32_t Widened[FitWidthLimit];
// For each output column of a fitted page, the page column it shows.
int FitColumn[FitWidthLimit];

template <int Scale>
void widenRow(const uint8_t* src, int width, const uint32_t* colours, uint32_t* dst) {
    for (int x = 0; x < width; ++x) {
        const uint32_t c = colours[src[x]];
        for (int k = 0; k < Scale; ++k) dst[Scale * x + k] = c;
    }
}

void widenRowBy(const uint8_t* src, int width, const uint32_t* colours, int scale, uint32_t* dst) {
    switch (scale) {
    case 1: widenRow<1>(src, width, colours, dst); return;
    case 2: widenRow<2>(src, width, colours, dst); return;
    case 3: widenRow<3>(src, width, colours, dst); return;
    case 4: widenRow<4>(src, width, colours, dst); return;
    default:
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colours[src[x]];
            for (int k = 0; k < scale; ++k) dst[scale * x + k] = c;
        }
    }
}

void copyRow(uint32_t* dst, const uint32_t* src, int count) {
#ifdef TG_STREAM_ROWS
    int i = 0;
    for (; i < count && (reinterpret_cast<uintptr_t>(dst + i) & 15) != 0; ++i) dst[i] = src[i];
    for (; i + 4 <= count; i += 4)
        _mm_stream_si128(reinterpret_cast<__m128i*>(dst + i),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i)));
    for (; i < count; ++i) dst[i] = src[i];
#else
    std::memcpy(dst, src, sizeof(uint32_t) * size_t(count));
#endif
}

void finishRows() {
#ifdef TG_STREAM_ROWS
    _mm_sfence();  // the streamed rows are in memory before the server is told to read them
#endif
}

uint32_t* rowAt(uint32_t* target, int pitchBytes, long row) {
    return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(target) + row * pitchBytes);
}

}  // namespace

PagePlacement placePage(int outputWidth, int outputHeight, int pageWidth, int pageHeight,
                        int wholeMultiples) {
    PagePlacement p{0, 0, outputWidth, outputHeight, 0};
    if (outputWidth <= 0 || outputHeight <= 0 || pageWidth <= 0 || pageHeight <= 0) return p;
    const bool wider = pageWidth * long(outputHeight) > long(outputWidth) * pageHeight;
    if (wholeMultiples && outputWidth >= pageWidth && outputHeight >= pageHeight) {
        const int scale = wider ? outputWidth / pageWidth : outputHeight / pageHeight;
        p.scale = scale;
        p.width = pageWidth * scale;
        p.height = pageHeight * scale;
    } else if (wider) {  // as wide as the output, the height in proportion
        const float scale = float(outputWidth) / float(pageWidth);
        p.height = int(float(pageHeight) * scale);
    } else {
        const float scale = float(outputHeight) / float(pageHeight);
        p.width = int(float(pageWidth) * scale);
    }
    p.x = (outputWidth - p.width) / 2;
    p.y = (outputHeight - p.height) / 2;
    return p;
}

void scalePageRows(const uint8_t* page, int pageWidth, int firstRow, int rowCount,
                   const uint32_t colours[256], int scale, uint32_t* target, int pitchBytes) {
    if (!page || !target || pageWidth <= 0 || scale <= 0 || rowCount <= 0) return;
    const long outWidth = long(pageWidth) * scale;
    for (int r = 0; r < rowCount; ++r) {
        const uint8_t* src = page + long(firstRow + r) * pageWidth;
        const long outRow = long(firstRow + r) * scale;
        if (outWidth > FitWidthLimit) {  // too wide for the row buffer: widened in place
            uint32_t* first = rowAt(target, pitchBytes, outRow);
            widenRowBy(src, pageWidth, colours, scale, first);
            for (int k = 1; k < scale; ++k) std::memcpy(rowAt(target, pitchBytes, outRow + k), first, 4 * outWidth);
            continue;
        }
        widenRowBy(src, pageWidth, colours, scale, Widened);
        for (int k = 0; k < scale; ++k) copyRow(rowAt(target, pitchBytes, outRow + k), Widened, int(outWidth));
    }
    finishRows();
}

void fitPage(const uint8_t* page, int pageWidth, int pageHeight, const uint32_t colours[256],
             uint32_t* target, int pitchBytes, int width, int height) {
    if (!page || !target || pageWidth <= 0 || pageHeight <= 0 || width <= 0 || height <= 0) return;
    if (width > FitWidthLimit) width = FitWidthLimit;
    for (int x = 0; x < width; ++x) FitColumn[x] = int((2L * x + 1) * pageWidth / (2L * width));
    int shown = -1;  // the page row the last output row showed
    for (int y = 0; y < height; ++y) {
        const int row = int((2L * y + 1) * pageHeight / (2L * height));
        if (row != shown) {
            const uint8_t* src = page + long(row) * pageWidth;
            for (int x = 0; x < width; ++x) Widened[x] = colours[src[FitColumn[x]]];
            shown = row;
        }
        copyRow(rowAt(target, pitchBytes, y), Widened, width);
    }
    finishRows();
}
