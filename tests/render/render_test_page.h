// A 640 x 480 page made current for the renderer's tests, and small texture pictures.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/game_main.h"
#include "base/game_state.h"
#include "display/display.h"
#include "render/rasteriser.h"

// A texture picture with rows padded to a multiple of four; texel (u, v) = base + v*16 + u.
struct TestTexture {
    Bitmap bitmap{};
    std::vector<uint8_t> pixels;
    TestTexture(int w, int h, int base = 1) {
        const int bpl = (w + 3) & ~3;
        pixels.assign(size_t(bpl) * h, 0xEE);
        for (int v = 0; v < h; ++v)
            for (int u = 0; u < w; ++u) pixels[v * bpl + u] = uint8_t(base + v * 16 + u);
        bitmap = Bitmap{w, h, 8, bpl, pixels.data(), nullptr, nullptr};
    }
    uint8_t texel(int u, int v) const { return pixels[v * bitmap.bytesPerLine + u]; }
    // The texel a screen-tiled fill puts at screen column x, row y.
    uint8_t atScreen(int x, int y) const {
        return texel(x % bitmap.width, y % bitmap.height);
    }
};

class RenderPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        page = createMemoryContext(ScreenWidth, ScreenHeight);
        ASSERT_NE(page, nullptr);
        setCurrentContext(page);
        savedPage = CurrentPage;
        CurrentPage = &page;
        std::memset(page->pixels, 0, ScreenWidth * ScreenHeight);
        resetZBuffer();
        clearEdgeTable();
        texturingEnabled = 1;
        for (Bitmap*& t : GameState.textures) t = nullptr;
    }
    void TearDown() override {
        for (Bitmap*& t : GameState.textures) t = nullptr;
        texturingEnabled = 1;
        CurrentPage = savedPage;
        setCurrentContext(nullptr);
        destroyContext(page);
    }

    // Gives palette entry index the colour (r, g, b).
    void setEntry(int index, int r, int g, int b) {
        PaletteEntry e{uint8_t(b), uint8_t(g), uint8_t(r), 0};
        setContextPalette(page, &e, 1, index);
    }
    uint8_t pixel(int x, int y) const { return page->pixels[y * ScreenWidth + x]; }
    float depth(int x, int y) const { return depthAt(x, y); }
    int rowPixels(int y) const {
        int n = 0;
        for (int x = 0; x < ScreenWidth; ++x) n += pixel(x, y) != 0;
        return n;
    }
    // Columns of row y that hold a non-zero pixel, as [first, last]; -1 when none.
    std::pair<int, int> rowExtent(int y) const {
        int first = -1, last = -1;
        for (int x = 0; x < ScreenWidth; ++x) {
            if (pixel(x, y) != 0) {
                if (first < 0) first = x;
                last = x;
            }
        }
        return {first, last};
    }
    int pagePixels() const {
        int n = 0;
        for (int i = 0; i < ScreenWidth * ScreenHeight; ++i) n += page->pixels[i] != 0;
        return n;
    }

    DisplayContext* page = nullptr;
    DisplayContext** savedPage = nullptr;
};
