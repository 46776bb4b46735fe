// The BMP reader on any bytes, read from a file the way the game loads its pictures;
// every picture it accepts is then copied onto a page partly off each of its edges,
// translated to the page's palette and as it is, and drawn as a sprite the same way.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "display/display.h"
#include "input_file.h"

namespace {

InputFile Input;  // the reader's file, each input written over the last

constexpr int PageWidth = 640;
constexpr int PageHeight = 480;

// A page whose palette no generated picture shares, so putBitmap translates colours.
DisplayContext* openPage() {
    DisplayContext* page = createMemoryContext(PageWidth, PageHeight);
    PaletteEntry ramp[256];
    for (int i = 0; i < 256; ++i)
        ramp[i] = PaletteEntry{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
    setContextPalette(page, ramp, 256, 0);
    return page;
}

// Positions that leave the picture half off the left, right, top and bottom edges,
// and one that leaves only its last pixel on the page.
struct Place {
    int x, y;
};

void placesFor(const Bitmap* bitmap, Place* places) {
    const int w = bitmap->width, h = bitmap->height;
    places[0] = {-w / 2, PageHeight / 3};
    places[1] = {PageWidth - w / 2, PageHeight / 3};
    places[2] = {PageWidth / 3, -h / 2};
    places[3] = {PageWidth / 3, PageHeight - h / 2};
    places[4] = {1 - w, 1 - h};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static DisplayContext* page = openPage();
    const char* path = writeInputFile(Input, data, size);
    for (int withPalette = 0; withPalette <= 1; ++withPalette) {
        Bitmap* bitmap = loadBitmap(path, withPalette);
        if (!bitmap) continue;
        Place places[5];
        placesFor(bitmap, places);
        for (const Place& p : places) putBitmap(page, p.x, p.y, bitmap, 0);
        if (createSpriteManager(page, 0)) {
            Sprite* sprite = addSprite(bitmap, 0);
            for (const Place& p : places) drawSprite(sprite, p.x, p.y);
            destroySpriteManager();
        }
        unloadBitmap(bitmap);
    }
    return 0;
}
