// The vector unit's share of the spans, and the one place that knows its width and its
// instructions: SSE2 where the compiler targets it, plain loops elsewhere. Both give the
// same floats, depths and pixels as a span drawn column by column.
#pragma once

#include <cstdint>
#include <cstring>

#include "render/depth_rows.h"
#include "render/screen_size.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// A span's depths are a running sum, z + dz column after column, each sum rounded to
// float: a chain in which every step waits for the one before. Spans of ChainRows rows
// are summed side by side, one lane each (two sums of four lanes in flight together);
// the depth tests then read the sums and no longer wait for them. Each lane adds exactly
// as a lone sum would.
constexpr int ChainRows = 8;

// The sums of one row per lane, column k of the span at depth[lane][k], so that a span's
// depths lie side by side like the depth row they are tested against.
struct DepthChains {
    alignas(16) float depth[ChainRows][ScreenWidth];
};

// Columns a block depth test takes in one step.
constexpr int BlockColumns = 16;

static_assert(ScreenWidth % 4 == 0, "chains are summed four columns a step");

#if defined(__SSE2__)

// Sixteen page pixels.
struct PixelBlock {
    __m128i bytes;
};

inline PixelBlock repeatedPixel(uint8_t colour) { return PixelBlock{_mm_set1_epi8(char(colour))}; }

inline PixelBlock loadPixels(const uint8_t* from) {
    return PixelBlock{_mm_loadu_si128(reinterpret_cast<const __m128i*>(from))};
}

// Four columns of four lanes, summed and turned so each lane's four land in its own row.
inline __m128 sumFourChainColumns(__m128 z, __m128 step, float (*rows)[ScreenWidth], int k) {
    __m128 c0 = _mm_add_ps(z, step);
    __m128 c1 = _mm_add_ps(c0, step);
    __m128 c2 = _mm_add_ps(c1, step);
    __m128 c3 = _mm_add_ps(c2, step);
    const __m128 last = c3;
    _MM_TRANSPOSE4_PS(c0, c1, c2, c3);
    _mm_store_ps(&rows[0][k], c0);
    _mm_store_ps(&rows[1][k], c1);
    _mm_store_ps(&rows[2][k], c2);
    _mm_store_ps(&rows[3][k], c3);
    return last;
}

// Lanes 0..lanes-1 (at most ChainRows) summed from z[i] by dz[i], `columns` sums each
// (at least; a step is four columns). z and dz hold ChainRows entries, unused ones 0.
inline void sumDepthChains(const float* z, const float* dz, int lanes, int columns, DepthChains* chains) {
    __m128 low = _mm_loadu_ps(z), high = _mm_loadu_ps(z + 4);
    const __m128 lowStep = _mm_loadu_ps(dz), highStep = _mm_loadu_ps(dz + 4);
    for (int k = 0; k < columns; k += 4) {
        low = sumFourChainColumns(low, lowStep, chains->depth, k);
        if (lanes > 4) high = sumFourChainColumns(high, highStep, chains->depth + 4, k);
    }
}

// The depth test of BlockColumns columns: where the stored depth (100.0 in a fresh run,
// whatever the memory holds) is greater than the sum (never for a NaN), the depth takes
// the sum and the pixel the block's; the other depths keep the stored one.
template <bool Fresh>
inline void testBlock(const float* sums, float* depths, uint8_t* pixels, PixelBlock paint) {
    const __m128 far = _mm_set1_ps(ZBufferFar);
    __m128i passed[4];
    for (int q = 0; q < 4; ++q) {
        const __m128 z = _mm_loadu_ps(sums + 4 * q);
        const __m128 stored = Fresh ? far : _mm_loadu_ps(depths + 4 * q);
        const __m128 pass = _mm_cmplt_ps(z, stored);
        _mm_storeu_ps(depths + 4 * q, _mm_or_ps(_mm_and_ps(pass, z), _mm_andnot_ps(pass, stored)));
        passed[q] = _mm_castps_si128(pass);
    }
    const __m128i mask =
        _mm_packs_epi16(_mm_packs_epi32(passed[0], passed[1]), _mm_packs_epi32(passed[2], passed[3]));
    __m128i* block = reinterpret_cast<__m128i*>(pixels);
    const __m128i old = _mm_loadu_si128(block);
    _mm_storeu_si128(block, _mm_or_si128(_mm_and_si128(mask, paint.bytes), _mm_andnot_si128(mask, old)));
}

#else

struct PixelBlock {
    uint8_t bytes[BlockColumns];
};

inline PixelBlock repeatedPixel(uint8_t colour) {
    PixelBlock block;
    std::memset(block.bytes, colour, sizeof block.bytes);
    return block;
}

inline PixelBlock loadPixels(const uint8_t* from) {
    PixelBlock block;
    std::memcpy(block.bytes, from, sizeof block.bytes);
    return block;
}

inline void sumDepthChains(const float* z, const float* dz, int lanes, int columns, DepthChains* chains) {
    float sum[ChainRows];
    std::memcpy(sum, z, sizeof sum);
    for (int k = 0; k < columns; ++k)
        for (int i = 0; i < lanes; ++i) chains->depth[i][k] = sum[i] = sum[i] + dz[i];
}

template <bool Fresh>
inline void testBlock(const float* sums, float* depths, uint8_t* pixels, PixelBlock paint) {
    for (int k = 0; k < BlockColumns; ++k) {
        const float stored = Fresh ? ZBufferFar : depths[k];
        const bool pass = sums[k] < stored;
        depths[k] = pass ? sums[k] : stored;
        if (pass) pixels[k] = paint.bytes[k];
    }
}

#endif
