// 8-bit page to 32-bit ARGB: one table look-up per pixel. Where the processor has AVX2
// the row loop is also built for it and chosen at load time; both versions store the
// same table entry for every pixel, so the result is identical.
#include "platform/page_convert.h"

namespace {

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__)
#define TG_ROW_VERSIONS __attribute__((target_clones("avx2", "default")))
#else
#define TG_ROW_VERSIONS
#endif

TG_ROW_VERSIONS
void convertRow(const uint8_t* __restrict src, const uint32_t* __restrict argb,
                uint32_t* __restrict dst, int width) {
    for (int x = 0; x < width; ++x) dst[x] = argb[src[x]];
}

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
    const int pitch = pitchBytes / 4;
    for (int y = 0; y < height; ++y)
        convertRow(pixels + long(y) * width, argb, target + long(y) * pitch, width);
}
