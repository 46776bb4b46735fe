// Display services: nearest colours, file search, fonts and text, sprites, errors.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "display/display.h"
#include "support/test_support.h"

namespace {

using Bytes = std::vector<unsigned char>;

void put16(Bytes& b, size_t at, int v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

// A Windows 2.x raster font with glyphs 'A'..'C' of width 3 (C: 9), 4 rows; each glyph's
// pixel (x, y) is set when x == y.
Bytes makeFont(int version = 0x200) {
    const int first = 'A', last = 'C', height = 4;
    const int entries = last - first + 2;
    size_t table = 118, bits = table + entries * 4;
    Bytes b(bits + 3 * 2 * height + 2 * height, 0);
    put16(b, 0, version);
    put16(b, 88, height);
    b[95] = first;
    b[96] = last;
    b[97] = 0;
    size_t at = bits;
    for (int i = 0; i < entries; ++i) {
        const int width = i == 2 ? 9 : 3;
        put16(b, table + i * 4, i < 3 ? width : 0);
        put16(b, table + i * 4 + 2, int(at));
        if (i < 3) {
            const int columns = (width + 7) / 8;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    if (x == y) b[at + (x / 8) * height + y] |= uint8_t(0x80 >> (x % 8));
            at += size_t(columns) * height;
        }
    }
    b.resize(at);
    return b;
}

}  // namespace

TEST(Colour, NearestEntryLowestIndexOnTiesAndNeverEntry255) {
    PaletteEntry palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = {100, 100, 100, 0};
    palette[3] = {0, 0, 0, 0};
    palette[7] = {0, 0, 0, 0};
    palette[255] = {255, 255, 255, 0};
    palette[9] = {250, 250, 240, 0};  // blue, green, red
    EXPECT_EQ(nearestPaletteIndex(palette, 0, 0, 0), 3);
    EXPECT_EQ(nearestPaletteIndex(palette, 255, 255, 255), 9);
    // Distance is the sum of the three differences.
    palette[20] = {0, 0, 90, 0};   // red 90: sum 10 from (100, 0, 0)
    palette[21] = {5, 5, 100, 0};  // sum 10 as well, higher index
    EXPECT_EQ(nearestPaletteIndex(palette, 100, 0, 0), 20);
}

TEST(Colour, SetColourAgreesWithTheSearchThroughPaletteChanges) {
    // Repeated and colliding colours, ties, components outside 0..255, and palettes
    // changed between calls both through setContextPalette and by hand.
    DisplayContext* dc = createMemoryContext(4, 4);
    setCurrentContext(dc);
    PaletteEntry palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i * 37), uint8_t(i * 11), uint8_t(i * 5), 0};
    palette[40] = palette[41];  // a tie: the lower index must win
    setContextPalette(dc, palette, 256, 0);
    for (int round = 0; round < 3; ++round) {
        for (int n = 0; n < 600; ++n) {  // 40 colours, each asked for 15 times
            const int c = n % 40;
            const int r = (c * 53) % 300 - 20, g = (c * 29) % 256, b = (c % 7) * 40;
            setColorRGB(r, g, b);
            ASSERT_EQ(dc->color, nearestPaletteIndex(dc->palette, r, g, b))
                << "round " << round << " colour " << r << "," << g << "," << b;
        }
        if (round == 0) {
            for (PaletteEntry& e : palette) e = {e.green, e.red, e.blue, 0};
            setContextPalette(dc, palette, 256, 0);
        } else {
            dc->palette[17] = {0, 0, 0, 0};
            dc->palette[200] = {128, 128, 128, 0};
        }
    }
    setCurrentContext(nullptr);
    destroyContext(dc);
}

TEST(Colour, ColourChosenBeforeAPaletteChangeKeepsItsIndex) {
    DisplayContext* dc = createMemoryContext(4, 4);
    setCurrentContext(dc);
    PaletteEntry palette[256] = {};
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
    setContextPalette(dc, palette, 256, 0);
    setColorRGB(40, 40, 40);
    EXPECT_EQ(dc->color, 40);
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(255 - i), uint8_t(255 - i), uint8_t(255 - i), 0};
    setContextPalette(dc, palette, 256, 0);
    plotPixel(1, 2);
    EXPECT_EQ(dc->pixels[2 * 4 + 1], 40);
    plotPixel(-1, 0);  // outside the clip rectangle: ignored
    plotPixel(4, 0);
    clearPage();
    for (int i = 0; i < 16; ++i) EXPECT_EQ(dc->pixels[i], 0);
    EXPECT_EQ(packColor(1, 2, 3), 0x010203);
    destroyContext(dc);
}

TEST(FileSearch, NameThenDirectoryBelowThenVrxRoot) {
    const std::string dir = makeTempDir("search");
    const std::string root = makeTempDir("root");
    ScopedDir in(dir);
    mkdir("FONTS", 0777);
    mkdir((root + "/BITMAPS").c_str(), 0777);
    writeTextFile("FONTS/only-below.fnt", "below");
    writeTextFile("here.fnt", "here");
    writeTextFile(root + "/BITMAPS/far.bmp", "far");
    unsetenv("VRX_ROOT");
    long size = 0;
    uint8_t* data = readSearchedFile("here.fnt", "FONTS\\", &size);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), "here");
    delete[] data;
    data = readSearchedFile("only-below.fnt", "FONTS\\", &size);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), "below");
    delete[] data;
    EXPECT_EQ(readSearchedFile("far.bmp", "BITMAPS\\", &size), nullptr);
    for (const std::string& value : {root, root + "/"}) {
        setenv("VRX_ROOT", value.c_str(), 1);
        data = readSearchedFile("far.bmp", "BITMAPS\\", &size);
        ASSERT_NE(data, nullptr) << value;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), "far");
        delete[] data;
    }
    unsetenv("VRX_ROOT");
    // Backslashes in names are folder separators too; a folder is not a file.
    data = readSearchedFile("FONTS\\only-below.fnt", "", &size);
    EXPECT_NE(data, nullptr);
    delete[] data;
    EXPECT_EQ(readSearchedFile("FONTS", "", &size), nullptr);
}

TEST(Font, DrawsGlyphsInTheCurrentColourClippedToThePage) {
    const Bytes bytes = makeFont();
    Font* font = decodeFont(bytes.data(), long(bytes.size()));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(fontCellHeight(font), 4);
    EXPECT_EQ(fontCharWidth(font, 'C'), 9);
    DisplayContext* dc = createMemoryContext(8, 6);
    setCurrentContext(dc);
    drawText(0, 0, "A");  // no current font: nothing
    EXPECT_EQ(dc->pixels[0], 0);
    ASSERT_EQ(useFont(font), 1);
    dc->color = 5;
    drawText(1, 1, "AZ");  // 'Z' is outside the font: the default character 'A'
    EXPECT_EQ(dc->pixels[1 * 8 + 1], 5);
    EXPECT_EQ(dc->pixels[3 * 8 + 3], 5);
    EXPECT_EQ(dc->pixels[1 * 8 + 4], 5);  // second glyph starts 3 to the right
    EXPECT_EQ(dc->pixels[1 * 8 + 2], 0);
    drawText(6, 4, "C");                  // runs off the page: clipped, no crash
    EXPECT_EQ(dc->pixels[4 * 8 + 6], 5);
    unloadFont(font);
    EXPECT_EQ(dc->font, nullptr);  // an unloaded font is no longer current
    destroyContext(dc);
}

TEST(Font, RefusesOtherVersionsAndCorruptFiles) {
    struct Case {
        const char* what;
        Bytes bytes;
        int error;
    };
    std::vector<Case> cases;
    cases.push_back({"version 3", makeFont(0x300), ErrFontVersion});
    cases.push_back({"not a font", Bytes(200, 'x'), ErrFontCorrupted});
    Bytes b = makeFont();
    cases.push_back({"header only", Bytes(b.begin(), b.begin() + 100), ErrFontCorrupted});
    b = makeFont();
    put16(b, 66, 1);
    cases.push_back({"vector font", b, ErrFontCorrupted});
    b = makeFont();
    put16(b, 118 + 2, 60000);
    cases.push_back({"glyph outside the file", b, ErrFontCorrupted});
    b = makeFont();
    b[95] = 'D';
    b[96] = 'A';
    cases.push_back({"last before first", b, ErrFontCorrupted});
    b = makeFont();
    b.resize(b.size() - 2);
    cases.push_back({"glyph cut short", b, ErrFontCorrupted});
    for (const Case& c : cases) {
        lastError();
        EXPECT_EQ(decodeFont(c.bytes.data(), long(c.bytes.size())), nullptr) << c.what;
        EXPECT_EQ(lastError(), c.error) << c.what;
    }
    EXPECT_EQ(loadFont("no-such-font.fnt"), nullptr);
    EXPECT_EQ(lastError(), ErrFontNotFound);
}

TEST(Sprite, EveryPlacementMatchesThePixelRuleInsideTheClip) {
    // A sprite with runs of every shape, drawn at positions off every edge of a clip
    // rectangle smaller than the context: transparent pixels and pixels outside the
    // clip leave the page alone, every other pixel is copied.
    constexpr int W = 13, H = 7, PageW = 20, PageH = 15;
    uint8_t pixels[H * 16];
    for (int i = 0; i < H * 16; ++i) pixels[i] = uint8_t((i * 7 + i / 5) % 4 == 0 ? 6 : 1 + i % 5);
    Bitmap bmp{W, H, 8, 16, pixels, nullptr, nullptr};
    DisplayContext* dc = createMemoryContext(PageW, PageH);
    dc->clipLeft = 2, dc->clipTop = 3, dc->clipRight = 16, dc->clipBottom = 11;
    ASSERT_EQ(createSpriteManager(dc, 0), 1);
    Sprite* s = addSprite(&bmp, 6);
    ASSERT_NE(s, nullptr);
    uint8_t expected[PageW * PageH];
    for (int y = -H; y <= PageH; ++y) {
        for (int x = -W; x <= PageW; ++x) {
            std::memset(dc->pixels, 9, PageW * PageH);
            std::memset(expected, 9, PageW * PageH);
            for (int r = 0; r < H; ++r)
                for (int c = 0; c < W; ++c) {
                    const int px = x + c, py = y + r;
                    if (px >= 2 && px <= 16 && py >= 3 && py <= 11 && pixels[r * 16 + c] != 6)
                        expected[py * PageW + px] = pixels[r * 16 + c];
                }
            drawSprite(s, x, y);
            ASSERT_EQ(std::memcmp(dc->pixels, expected, sizeof expected), 0) << x << "," << y;
        }
    }
    destroySpriteManager();
    destroyContext(dc);
}

TEST(Sprite, TransparentPixelsLeaveThePageUnchanged) {
    DisplayContext* dc = createMemoryContext(5, 5);
    std::memset(dc->pixels, 9, 25);
    uint8_t pixels[8] = {0, 1, 2, 0, 0, 3, 0, 4};  // 3 x 2 picture, rows padded to 4
    Bitmap bmp{3, 2, 8, 4, pixels, nullptr, nullptr};
    ASSERT_EQ(createSpriteManager(dc, 0), 1);
    Sprite* s = addSprite(&bmp, packColor(0, 0, 0));
    ASSERT_NE(s, nullptr);
    drawSprite(s, 3, 4);  // partly off the page
    EXPECT_EQ(dc->pixels[4 * 5 + 3], 9);
    EXPECT_EQ(dc->pixels[4 * 5 + 4], 1);
    drawSprite(s, 0, 0);
    EXPECT_EQ(dc->pixels[0], 9);
    EXPECT_EQ(dc->pixels[2], 2);
    EXPECT_EQ(dc->pixels[5 + 1], 3);
    EXPECT_EQ(dc->pixels[5 + 2], 9);
    destroySpriteManager();
    destroyContext(dc);
}

TEST(Errors, MessagesByCodeAndNoneOutsideTheTable) {
    EXPECT_STREQ(errorMessage(0), "No error");
    EXPECT_STREQ(errorMessage(-23), "Bitmap file was not found");
    EXPECT_STREQ(errorMessage(-31), "Invalid pixel format for memory DC");
    EXPECT_STREQ(errorMessage(5), "NONE");
    EXPECT_STREQ(errorMessage(-40), "NONE");
    setLastError(-13);
    EXPECT_EQ(lastError(), -13);
    EXPECT_EQ(lastError(), 0);
}
