// What is drawn over a demo being watched: the clock and the watching keys, or in the
// attract loop the sign that it is a demo that any key ends, all within the page.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "demo/watch_overlay.h"
#include "menus/look.h"
#include "support/test_support.h"

namespace {

constexpr int Width = 640, Height = 480, Guard = 4096, Sky = 9;

struct WatchedPage {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(Width * Height + 2 * Guard, 0xA5);
    DisplayContext dc{};
    WatchedPage() {
        dc.width = Width;
        dc.height = Height;
        dc.pixels = bytes.data() + Guard;
        std::fill(dc.pixels, dc.pixels + Width * Height, uint8_t(Sky));
        for (int i = 0; i < 256; ++i) dc.palette[i] = {uint8_t(255 - i), uint8_t(i), uint8_t(i / 2), 0};
        dc.clipRight = Width - 1;
        dc.clipBottom = Height - 1;
    }
    // Pixels changed in the box (inclusive).
    int changed(int left, int top, int right, int bottom) const {
        int n = 0;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) n += dc.pixels[y * Width + x] != Sky;
        return n;
    }
    bool guardsIntact() const {
        return std::all_of(bytes.begin(), bytes.begin() + Guard, [](uint8_t b) { return b == 0xA5; }) &&
               std::all_of(bytes.end() - Guard, bytes.end(), [](uint8_t b) { return b == 0xA5; });
    }
};

TEST(WatchOverlay, ClockAndKeysOrTheDemoSign) {
    ScopedDir data(TG_DATA_DIR);
    WatchedPage watched, paused, attract;
    drawWatchOverlay(&watched.dc, WatchLine{3600, "2x", 0, 0, 0});
    drawWatchOverlay(&paused.dc, WatchLine{3600, "paused", 1, 0, 0});
    drawWatchOverlay(&attract.dc, WatchLine{3600, "1x", 0, 0, 1});
    for (const WatchedPage* page : {&watched, &paused, &attract}) {
        EXPECT_TRUE(page->guardsIntact());
        EXPECT_EQ(page->changed(0, 436, Width - 1, Height - 1), Width * (Height - 436)) << "the key band";
        EXPECT_EQ(page->changed(0, 100, Width - 1, 420), 0) << "the ride stays in view";
    }
    // Watching: the clock top right, nothing in the middle of the top.
    EXPECT_GT(watched.changed(420, 6, 632, 36), 6000);
    EXPECT_EQ(watched.changed(150, 40, 400, 80), 0);
    // Paused: other keys in the band.
    EXPECT_FALSE(std::equal(watched.dc.pixels + 436 * Width, watched.dc.pixels + Height * Width,
                            paused.dc.pixels + 436 * Width));
    // The attract loop: the sign in the middle of the top, no clock.
    EXPECT_GT(attract.changed(200, 8, 440, 80), 10000);
    EXPECT_EQ(attract.changed(600, 6, 632, 36), 0);
    releaseLook();
}

}  // namespace
