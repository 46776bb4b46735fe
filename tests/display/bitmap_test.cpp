// Pictures: reading and writing 8-bit BMP files, refusing malformed ones, copying them
// onto a context with the palette rule.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "display/display.h"
#include "support/test_support.h"

namespace {

using Bytes = std::vector<unsigned char>;

void put32(Bytes& b, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(uint32_t(v) >> (8 * i));
}
void put16(Bytes& b, size_t at, int v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

// A well-formed 8-bit BMP of width x height whose pixel (x, y) is x + 10 * y.
Bytes makeBmp(int width, int height, bool topDown = false, int colors = 256) {
    const int stride = (width + 3) & ~3;
    const size_t offset = 14 + 40 + size_t(colors) * 4;
    Bytes b(offset + size_t(stride) * height, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, int32_t(b.size()));
    put32(b, 10, int32_t(offset));
    put32(b, 14, 40);
    put32(b, 18, width);
    put32(b, 22, topDown ? -height : height);
    put16(b, 26, 1);
    put16(b, 28, 8);
    put32(b, 46, colors);
    for (int i = 0; i < colors; ++i) {
        b[54 + i * 4] = uint8_t(i);          // blue
        b[54 + i * 4 + 1] = uint8_t(255 - i); // green
        b[54 + i * 4 + 2] = uint8_t(i / 2);   // red
    }
    for (int y = 0; y < height; ++y) {
        const int fileRow = topDown ? y : height - 1 - y;
        for (int x = 0; x < width; ++x) b[offset + size_t(fileRow) * stride + x] = uint8_t(x + 10 * y);
    }
    return b;
}

Bitmap* decode(const Bytes& b) { return decodeBitmap(b.data(), long(b.size()), 1); }

}  // namespace

TEST(Bitmap, ReadsBottomUpAndTopDownRowsTopRowFirst) {
    for (bool topDown : {false, true}) {
        Bitmap* bmp = decode(makeBmp(5, 3, topDown));
        ASSERT_NE(bmp, nullptr);
        EXPECT_EQ(bmp->width, 5);
        EXPECT_EQ(bmp->height, 3);
        EXPECT_EQ(bmp->bytesPerLine, 8);
        EXPECT_EQ(bmp->pixels[0], 0);
        EXPECT_EQ(bmp->pixels[2 * 8 + 4], 24);
        ASSERT_NE(bmp->palette, nullptr);
        EXPECT_EQ(bmp->palette[7].blue, 7);
        EXPECT_EQ(bmp->palette[7].green, 248);
        unloadBitmap(bmp);
    }
}

TEST(Bitmap, ShortColourTableLeavesTheRestOfThePaletteBlack) {
    Bitmap* bmp = decode(makeBmp(4, 2, false, 16));
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(bmp->palette[15].blue, 15);
    EXPECT_EQ(bmp->palette[16].green, 0);
    unloadBitmap(bmp);
}

TEST(Bitmap, RefusesMalformedFilesWithInvalidBitmap) {
    const Bytes good = makeBmp(6, 4);
    std::vector<std::pair<const char*, Bytes>> cases;
    Bytes b = good;
    b.resize(good.size() - 1);
    cases.push_back({"pixel data cut short", b});
    cases.push_back({"only a header", Bytes(good.begin(), good.begin() + 20)});
    b = good; b[0] = 'X';
    cases.push_back({"no BM signature", b});
    b = good; put32(b, 18, -6);
    cases.push_back({"negative width", b});
    b = good; put32(b, 18, 0);
    cases.push_back({"zero width", b});
    b = good; put32(b, 22, 1 << 30);
    cases.push_back({"huge height", b});
    b = good; put32(b, 46, 300);
    cases.push_back({"palette over 256 entries", b});
    b = good; put32(b, 10, int32_t(good.size()) + 100);
    cases.push_back({"pixels beyond the end", b});
    b = good; put32(b, 10, 20);
    cases.push_back({"pixels inside the header", b});
    b = good; put16(b, 28, 24);
    cases.push_back({"not 8 bits", b});
    b = good; put32(b, 30, 1);
    cases.push_back({"compressed", b});
    b = good; put32(b, 14, 2000000);
    cases.push_back({"info header larger than the file", b});
    for (auto& [what, bytes] : cases) {
        lastError();
        EXPECT_EQ(decode(bytes), nullptr) << what;
        EXPECT_EQ(lastError(), ErrInvalidBitmap) << what;
    }
}

TEST(Bitmap, WriterRoundTripsPixelsAndPalette) {
    const std::string dir = makeTempDir("bmp");
    uint8_t pixels[7 * 3];
    for (int i = 0; i < 21; ++i) pixels[i] = uint8_t(i * 11);
    PaletteEntry palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(i ^ 0x55), uint8_t(255 - i), 9};
    const std::string path = dir + "/round.bmp";
    ASSERT_EQ(writeBitmap8(path.c_str(), pixels, 7, 3, 7, palette), 1);
    Bitmap* bmp = loadBitmap(path.c_str(), 1);
    ASSERT_NE(bmp, nullptr);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(bmp->pixels[y * bmp->bytesPerLine + x], pixels[y * 7 + x]);
    EXPECT_EQ(bmp->palette[200].red, 55);
    EXPECT_EQ(bmp->palette[200].green, 200 ^ 0x55);
    EXPECT_EQ(bmp->palette[200].reserved, 0);  // the colour table's fourth byte is always 0
    unloadBitmap(bmp);
}

TEST(Bitmap, MissingFileIsNotFoundAndUnloadingNothingIsAllowed) {
    lastError();
    EXPECT_EQ(loadBitmap("no/such/picture.bmp", 1), nullptr);
    EXPECT_EQ(lastError(), ErrBitmapNotFound);
    EXPECT_EQ(lastError(), 0);  // reading the code resets it
    unloadBitmap(nullptr);
    unloadFont(nullptr);
}

TEST(Bitmap, PutBitmapCopiesUnchangedWithSamePaletteAndTranslatesOtherwise) {
    Bitmap* bmp = decode(makeBmp(4, 2));
    ASSERT_NE(bmp, nullptr);
    DisplayContext* dc = createMemoryContext(6, 3);
    setContextPalette(dc, bmp->palette, 256, 0);
    putBitmap(dc, 3, 2, bmp, 0);  // clipped at the right and bottom edges
    EXPECT_EQ(dc->pixels[2 * 6 + 3], 0);
    EXPECT_EQ(dc->pixels[2 * 6 + 5], 2);
    EXPECT_EQ(dc->pixels[0], 0);

    // A page whose palette is the picture's reversed gets every index translated.
    PaletteEntry reversed[256];
    for (int i = 0; i < 256; ++i) reversed[i] = bmp->palette[255 - i];
    setContextPalette(dc, reversed, 256, 0);
    putBitmap(dc, 0, 0, bmp, 0);
    EXPECT_EQ(dc->pixels[1], 254);  // picture index 1 is context index 254
    EXPECT_EQ(dc->pixels[6 + 3], 242);  // picture index 13
    destroyContext(dc);
    unloadBitmap(bmp);
}
