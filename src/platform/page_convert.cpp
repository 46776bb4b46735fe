// 8-bit page to 32-bit ARGB: one table look-up per pixel. On processors with AVX-512
// VBMI a second version of the row loop looks up 64 pixels at once with byte
// permutes, one colour channel at a time; GCC picks the version when the program is
// loaded. Both store the palette's own bytes for every pixel, so the result is the same.
#include "platform/page_convert.h"

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__)
#define TG_WIDE_ROWS 1
#include <immintrin.h>
#endif

namespace {

// The palette split into its channels, for the wide version.
struct ChannelTables {
    alignas(64) uint8_t blue[256];
    alignas(64) uint8_t green[256];
    alignas(64) uint8_t red[256];
};

#ifdef TG_WIDE_ROWS
#define TG_PLAIN __attribute__((target("default")))
#else
#define TG_PLAIN
#endif

TG_PLAIN void convertRow(const uint8_t* __restrict src, const uint32_t* __restrict argb,
                         const ChannelTables&, uint32_t* __restrict dst, int width) {
    for (int x = 0; x < width; ++x) dst[x] = argb[src[x]];
}

#ifdef TG_WIDE_ROWS
// One channel of 64 pixels: the low 128 entries and the high 128 looked up with the
// index's low 7 bits, then chosen by its top bit.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) inline __m512i lookUp(
    const uint8_t* table, __m512i index, __mmask64 high) {
    const __m512i* t = reinterpret_cast<const __m512i*>(table);
    const __m512i low = _mm512_permutex2var_epi8(_mm512_load_si512(t), index, _mm512_load_si512(t + 1));
    const __m512i up = _mm512_permutex2var_epi8(_mm512_load_si512(t + 2), index, _mm512_load_si512(t + 3));
    return _mm512_mask_blend_epi8(high, low, up);
}

// 128-bit lanes of a and b picked by Pick (vshufi32x4). The all-lanes mask spares
// GCC 12's false "uninitialised" warning of the unmasked form.
template <int Pick>
__attribute__((target("avx512f"))) inline __m512i lanes(__m512i a, __m512i b) {
    return _mm512_maskz_shuffle_i32x4(__mmask16(0xFFFF), a, b, Pick);
}

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void convertRow(
    const uint8_t* __restrict src, const uint32_t* __restrict argb, const ChannelTables& c,
    uint32_t* __restrict dst, int width) {
    const __m512i alpha = _mm512_set1_epi8(char(0xFF));
    int x = 0;
    for (; x + 64 <= width; x += 64) {
        const __m512i index = _mm512_loadu_si512(src + x);
        const __mmask64 high = _mm512_movepi8_mask(index);
        const __m512i b = lookUp(c.blue, index, high);
        const __m512i g = lookUp(c.green, index, high);
        const __m512i r = lookUp(c.red, index, high);
        // Bytes b, g, r, a of each pixel side by side; within every 128-bit lane first.
        const __m512i bgLow = _mm512_unpacklo_epi8(b, g), bgHigh = _mm512_unpackhi_epi8(b, g);
        const __m512i raLow = _mm512_unpacklo_epi8(r, alpha), raHigh = _mm512_unpackhi_epi8(r, alpha);
        const __m512i p0 = _mm512_unpacklo_epi16(bgLow, raLow);    // lane L: pixels 16L + 0..3
        const __m512i p1 = _mm512_unpackhi_epi16(bgLow, raLow);    // 16L + 4..7
        const __m512i p2 = _mm512_unpacklo_epi16(bgHigh, raHigh);  // 16L + 8..11
        const __m512i p3 = _mm512_unpackhi_epi16(bgHigh, raHigh);  // 16L + 12..15
        // The 4 x 4 lanes transposed into pixel order.
        const __m512i t0 = lanes<0x44>(p0, p1), t1 = lanes<0xEE>(p0, p1);
        const __m512i t2 = lanes<0x44>(p2, p3), t3 = lanes<0xEE>(p2, p3);
        _mm512_storeu_si512(dst + x, lanes<0x88>(t0, t2));
        _mm512_storeu_si512(dst + x + 16, lanes<0xDD>(t0, t2));
        _mm512_storeu_si512(dst + x + 32, lanes<0x88>(t1, t3));
        _mm512_storeu_si512(dst + x + 48, lanes<0xDD>(t1, t3));
    }
    for (; x < width; ++x) dst[x] = argb[src[x]];
}
#endif

}  // namespace

void paletteToArgb(const PaletteEntry* palette, uint32_t argb[256]) {
    for (int i = 0; i < 256; ++i)
        argb[i] = 0xFF000000u | uint32_t(palette[i].red) << 16 | uint32_t(palette[i].green) << 8 |
                  palette[i].blue;
}

void convertPage(const uint8_t* pixels, int width, int height, const PaletteEntry* palette,
                 uint32_t* target, int pitchBytes) {
    if (!pixels || !palette || !target || width <= 0 || height <= 0) return;
    if (pitchBytes < 4 * width || pitchBytes % 4 != 0) return;
    uint32_t argb[256];
    paletteToArgb(palette, argb);
    ChannelTables channels;
    for (int i = 0; i < 256; ++i) {
        channels.blue[i] = palette[i].blue;
        channels.green[i] = palette[i].green;
        channels.red[i] = palette[i].red;
    }
    const int pitch = pitchBytes / 4;
    for (int y = 0; y < height; ++y)
        convertRow(pixels + long(y) * width, argb, channels, target + long(y) * pitch, width);
}
