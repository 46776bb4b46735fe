// The page conversion the window and the headless back-end share, against the plain
// rule: pixel p becomes 0xFF000000 | red << 16 | green << 8 | blue of entry p.
#include <gtest/gtest.h>

#include <vector>

#include "platform/page_convert.h"

namespace {

uint32_t expectedArgb(const PaletteEntry& e) {
    return 0xFF000000u | uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue;
}

}  // namespace

TEST(PageConvert, EveryPixelThroughThePaletteAtEveryWidthAndPitch) {
    PaletteEntry palette[256];
    for (int i = 0; i < 256; ++i)
        palette[i] = {uint8_t(i * 7 + 1), uint8_t(255 - i), uint8_t(i * 13 + 5), uint8_t(i)};
    // Widths below, at and between whole blocks of pixels; every index in every column.
    for (int width : {1, 63, 64, 65, 130, 640}) {
        const int height = 5, pitch = width + 3;  // rows padded: the padding stays untouched
        std::vector<uint8_t> pixels(size_t(width) * height);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i * 151 + i / 7);
        std::vector<uint32_t> target(size_t(pitch) * height, 0x12345678u);
        convertPage(pixels.data(), width, height, palette, target.data(), pitch * 4);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < pitch; ++x) {
                const uint32_t want =
                    x < width ? expectedArgb(palette[pixels[size_t(y) * width + x]]) : 0x12345678u;
                ASSERT_EQ(target[size_t(y) * pitch + x], want) << width << ": " << x << "," << y;
            }
        }
    }
}

TEST(PageConvert, RefusesTargetsTooNarrowForARow) {
    PaletteEntry palette[256] = {};
    uint8_t pixels[8] = {};
    uint32_t target[8] = {7, 7, 7, 7, 7, 7, 7, 7};
    convertPage(pixels, 4, 2, palette, target, 12);  // a pitch shorter than a row
    convertPage(pixels, 4, 2, palette, target, 17);  // not whole pixels
    convertPage(pixels, 4, 2, nullptr, target, 16);
    for (uint32_t v : target) EXPECT_EQ(v, 7u);
    convertPage(pixels, 4, 2, palette, target, 16);
    for (uint32_t v : target) EXPECT_EQ(v, 0xFF000000u);
}
