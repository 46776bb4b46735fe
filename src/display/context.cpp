// Display contexts and the raster operations the game uses on them: palette, colour
// choice, clearing, plotting and copying pictures.
#include <cstdlib>
#include <cstring>
#include <new>

#include "display/display.h"

namespace {

DisplayContext* Current = nullptr;

// setColorRGB's answers for the palette they were searched in. The palette is compared
// whole on every call, so any change to it, by setContextPalette or by hand, empties
// the cache; an answer is only ever the search's own.
constexpr int ColourCacheSlots = 64;

struct ColourCache {
    PaletteEntry palette[256];
    uint32_t key[ColourCacheSlots];  // red << 16 | green << 8 | blue, plus 1; 0 is empty
    uint8_t index[ColourCacheSlots];
};

ColourCache Cache;

int cachedNearestIndex(const PaletteEntry* palette, int red, int green, int blue) {
    const bool inRange = (red | green | blue) >= 0 && red <= 255 && green <= 255 && blue <= 255;
    if (!inRange) return nearestPaletteIndex(palette, red, green, blue);
    if (std::memcmp(Cache.palette, palette, sizeof Cache.palette) != 0) {
        std::memcpy(Cache.palette, palette, sizeof Cache.palette);
        std::memset(Cache.key, 0, sizeof Cache.key);
    }
    const uint32_t key = (uint32_t(red) << 16 | uint32_t(green) << 8 | uint32_t(blue)) + 1;
    const int slot = int((key * 2654435761u) >> 26);  // the top 6 bits: 64 slots
    if (Cache.key[slot] != key) {
        Cache.key[slot] = key;
        Cache.index[slot] = uint8_t(nearestPaletteIndex(palette, red, green, blue));
    }
    return Cache.index[slot];
}

}  // namespace

DisplayContext* createMemoryContext(int width, int height) {
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        setLastError(ErrInvalidDeviceContext);
        return nullptr;
    }
    DisplayContext* dc = new (std::nothrow) DisplayContext{};
    uint8_t* pixels = new (std::nothrow) uint8_t[size_t(width) * height];
    if (!dc || !pixels) {
        delete dc;
        delete[] pixels;
        setLastError(ErrNotEnoughMemory);
        return nullptr;
    }
    std::memset(pixels, 0, size_t(width) * height);
    dc->width = width;
    dc->height = height;
    dc->bitsPerPixel = 8;
    dc->pixels = pixels;
    dc->color = 15;
    dc->background = 0;
    dc->clipRight = width - 1;
    dc->clipBottom = height - 1;
    return dc;
}

void destroyContext(DisplayContext* dc) {
    if (!dc) return;
    if (Current == dc) Current = nullptr;
    delete[] dc->pixels;
    delete dc;
}

void setCurrentContext(DisplayContext* dc) { Current = dc; }

DisplayContext* currentContext() { return Current; }

void setContextPalette(DisplayContext* dc, const PaletteEntry* entries, int count, int first) {
    if (!dc || !entries || first < 0 || count <= 0) return;
    if (first > 256) return;
    if (count > 256 - first) count = 256 - first;
    std::memcpy(dc->palette + first, entries, sizeof(PaletteEntry) * size_t(count));
}

int nearestPaletteIndex(const PaletteEntry* palette, int red, int green, int blue) {
    // Entry 255 is never a candidate; on equal sums the lowest index wins.
    int best = 0;
    int bestSum = 1 << 30;
    for (int i = 0; i < 255; ++i) {
        const int sum = std::abs(red - palette[i].red) + std::abs(green - palette[i].green) +
                        std::abs(blue - palette[i].blue);
        if (sum < bestSum) {
            bestSum = sum;
            best = i;
        }
    }
    return best;
}

void setColorRGB(int red, int green, int blue) {
    if (!Current) return;
    Current->color = cachedNearestIndex(Current->palette, red, green, blue);
}

int packColor(int red, int green, int blue) { return (red << 16) | (green << 8) | blue; }

void clearPage() {
    DisplayContext* dc = Current;
    if (!dc) return;
    // The viewport is the whole page: its origin is the page's corner.
    std::memset(dc->pixels, dc->background, size_t(dc->width) * dc->height);
}

void plotPixel(int x, int y) {
    DisplayContext* dc = Current;
    if (!dc) return;
    x += dc->originX;
    y += dc->originY;
    if (x < dc->clipLeft || x > dc->clipRight || y < dc->clipTop || y > dc->clipBottom) return;
    dc->pixels[y * dc->width + x] = uint8_t(dc->color);
}

void putBitmap(DisplayContext* dc, int x, int y, const Bitmap* bitmap, int /*rasterOp*/) {
    if (!dc || !bitmap || !bitmap->pixels) return;
    // Pixels whose palette is not the context's are translated to the nearest colour.
    uint8_t translate[256];
    for (int i = 0; i < 256; ++i) translate[i] = uint8_t(i);
    const bool translated =
        bitmap->palette && std::memcmp(bitmap->palette, dc->palette, sizeof dc->palette) != 0;
    if (translated) {
        for (int i = 0; i < 256; ++i) {
            const PaletteEntry& e = bitmap->palette[i];
            translate[i] = uint8_t(nearestPaletteIndex(dc->palette, e.red, e.green, e.blue));
        }
    }
    x += dc->originX;
    y += dc->originY;
    const int left = x > dc->clipLeft ? x : dc->clipLeft;
    const int right = x + bitmap->width - 1 < dc->clipRight ? x + bitmap->width - 1 : dc->clipRight;
    const int top = y > dc->clipTop ? y : dc->clipTop;
    const int bottom = y + bitmap->height - 1 < dc->clipBottom ? y + bitmap->height - 1 : dc->clipBottom;
    for (int row = top; row <= bottom; ++row) {
        const uint8_t* src = bitmap->pixels + long(row - y) * bitmap->bytesPerLine + (left - x);
        uint8_t* dst = dc->pixels + row * dc->width + left;
        if (!translated) {  // the same palette: the row as it is
            if (right >= left) std::memcpy(dst, src, size_t(right - left + 1));
            continue;
        }
        for (int col = left; col <= right; ++col) *dst++ = translate[*src++];
    }
}
