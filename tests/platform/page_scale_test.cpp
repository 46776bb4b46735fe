// The page scaled for a window surface, against the plain rule: output pixel (X, Y) of a
// whole multiple s shows page pixel (X / s, Y / s); where it is placed follows the
// renderer's logical-size rule the texture path uses.
#include <gtest/gtest.h>

#include <vector>

#include "platform/page_scale.h"

namespace {

struct Page {
    int width, height;
    std::vector<uint8_t> pixels;
    uint32_t colours[256];
    Page(int w, int h) : width(w), height(h), pixels(size_t(w) * h) {
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i * 151 + i / 7);
        for (int i = 0; i < 256; ++i) colours[i] = 0xFF000000u | uint32_t(i * 0x010203);
    }
    uint32_t at(int x, int y) const { return colours[pixels[size_t(y) * width + x]]; }
};

}  // namespace

TEST(PageScale, WholeMultiplesCentredAsTheRendererPlacesThem) {
    const PagePlacement twice = placePage(1920, 1080, 640, 480, 1);
    EXPECT_EQ((std::vector<int>{twice.x, twice.y, twice.width, twice.height, twice.scale}),
              (std::vector<int>{320, 60, 1280, 960, 2}));
    const PagePlacement four = placePage(3840, 2160, 640, 480, 1);
    EXPECT_EQ((std::vector<int>{four.x, four.y, four.scale}), (std::vector<int>{640, 120, 4}));
    // Fitted: the whole height, the width in proportion; and below the page's own size.
    const PagePlacement fill = placePage(1920, 1080, 640, 480, 0);
    EXPECT_EQ((std::vector<int>{fill.x, fill.y, fill.width, fill.height, fill.scale}),
              (std::vector<int>{240, 0, 1440, 1080, 0}));
    const PagePlacement small = placePage(600, 300, 640, 480, 1);
    EXPECT_EQ((std::vector<int>{small.x, small.y, small.width, small.height, small.scale}),
              (std::vector<int>{100, 0, 400, 300, 0}));
}

TEST(PageScale, EveryOutputPixelShowsItsPagePixelAndNothingElseIsWritten) {
    const Page page(70, 9);
    for (int scale : {1, 2, 3, 4, 5}) {
        const int pitch = page.width * scale + 3;  // padding and rows outside stay untouched
        const int rows = page.height * scale + 2;
        std::vector<uint32_t> out(size_t(pitch) * rows, 0x12345678u);
        // Rows 2..6 only, as a frame whose other rows did not change.
        scalePageRows(page.pixels.data(), page.width, 2, 5, page.colours, scale, out.data() + pitch, pitch * 4);
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < pitch; ++x) {
                const int py = (y - 1) / scale;
                const bool inside = y >= 1 && x < page.width * scale && py >= 2 && py <= 6;
                const uint32_t want = inside ? page.at(x / scale, py) : 0x12345678u;
                ASSERT_EQ(out[size_t(y) * pitch + x], want) << scale << ": " << x << "," << y;
            }
        }
    }
}

TEST(PageScale, FittedPageIsTheNearestPagePixel) {
    const Page page(64, 48);
    const int width = 100, height = 75, pitch = 104;
    std::vector<uint32_t> out(size_t(pitch) * height, 0x12345678u);
    fitPage(page.pixels.data(), page.width, page.height, page.colours, out.data(), pitch * 4, width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < pitch; ++x) {
            const uint32_t want =
                x < width ? page.at((2 * x + 1) * page.width / (2 * width), (2 * y + 1) * page.height / (2 * height))
                          : 0x12345678u;
            ASSERT_EQ(out[size_t(y) * pitch + x], want) << x << "," << y;
        }
}
