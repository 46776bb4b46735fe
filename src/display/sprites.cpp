// The sprite manager: pictures drawn onto one context with a transparent colour.
#include <algorithm>
#include <cstring>
#include <new>

#include "display/display.h"

// A run of opaque pixels in one sprite row: columns first .. first + length - 1.
struct SpriteRun {
    int first;
    int length;
};

struct Sprite {
    int width;
    int height;
    uint8_t* pixels;  // the manager's own copy, rows top to bottom, width bytes each
    int transparent;
    SpriteRun* runs;  // every row's opaque runs, left to right, rows top to bottom
    int* rowRuns;     // row r's runs are runs[rowRuns[r]] .. runs[rowRuns[r + 1] - 1]
};

namespace {

constexpr int MaxSprites = 16;

struct SpriteManager {
    DisplayContext* dc;
    Sprite sprites[MaxSprites];
    int count;
};

SpriteManager* Manager = nullptr;

// Calls run(row, first, length) for every opaque run of the sprite's pixels.
template <typename RunFn>
void forEachOpaqueRun(const Sprite& s, RunFn run) {
    for (int row = 0; row < s.height; ++row) {
        const uint8_t* src = s.pixels + size_t(row) * s.width;
        int col = 0;
        while (col < s.width) {
            while (col < s.width && src[col] == s.transparent) ++col;
            const int first = col;
            while (col < s.width && src[col] != s.transparent) ++col;
            if (col > first) run(row, first, col - first);
        }
    }
}

// Finds the opaque runs of the sprite once, so drawing copies whole runs.
bool buildRuns(Sprite* s) {
    int count = 0;
    forEachOpaqueRun(*s, [&](int, int, int) { ++count; });
    s->runs = new (std::nothrow) SpriteRun[count > 0 ? count : 1];
    s->rowRuns = new (std::nothrow) int[s->height + 1];
    if (!s->runs || !s->rowRuns) return false;
    int n = 0, lastRow = -1;
    forEachOpaqueRun(*s, [&](int row, int first, int length) {
        while (lastRow < row) s->rowRuns[++lastRow] = n;
        s->runs[n++] = {first, length};
    });
    while (lastRow < s->height) s->rowRuns[++lastRow] = n;
    return true;
}

void freeSprite(Sprite* s) {
    delete[] s->pixels;
    delete[] s->runs;
    delete[] s->rowRuns;
    *s = Sprite{};
}

}  // namespace

int createSpriteManager(DisplayContext* dc, int /*option*/) {
    destroySpriteManager();
    if (!dc) {
        setLastError(ErrInvalidDeviceContext);
        return 0;
    }
    Manager = new (std::nothrow) SpriteManager{};
    if (!Manager) {
        setLastError(ErrNotEnoughMemory);
        return 0;
    }
    Manager->dc = dc;
    return 1;
}

Sprite* addSprite(Bitmap* bitmap, int transparentColor) {
    if (!Manager || !bitmap || !bitmap->pixels || Manager->count == MaxSprites) return nullptr;
    uint8_t* copy = new (std::nothrow) uint8_t[size_t(bitmap->width) * bitmap->height];
    if (!copy) {
        setLastError(ErrNotEnoughMemory);
        return nullptr;
    }
    for (int row = 0; row < bitmap->height; ++row)
        std::memcpy(copy + size_t(row) * bitmap->width, bitmap->pixels + size_t(row) * bitmap->bytesPerLine,
                    bitmap->width);
    Sprite* s = &Manager->sprites[Manager->count];
    s->width = bitmap->width;
    s->height = bitmap->height;
    s->pixels = copy;
    s->transparent = transparentColor;
    if (!buildRuns(s)) {
        freeSprite(s);
        setLastError(ErrNotEnoughMemory);
        return nullptr;
    }
    ++Manager->count;
    return s;
}

void drawSprite(Sprite* sprite, int x, int y) {
    if (!Manager || !sprite || !sprite->pixels) return;
    DisplayContext* dc = Manager->dc;
    for (int row = 0; row < sprite->height; ++row) {
        const int py = y + row;
        if (py < dc->clipTop || py > dc->clipBottom) continue;
        const uint8_t* src = sprite->pixels + size_t(row) * sprite->width;
        uint8_t* dst = dc->pixels + py * dc->width;
        for (int r = sprite->rowRuns[row]; r < sprite->rowRuns[row + 1]; ++r) {
            // The run held to the clip rectangle, in page columns.
            const int left = std::max(x + sprite->runs[r].first, dc->clipLeft);
            const int right = std::min(x + sprite->runs[r].first + sprite->runs[r].length - 1, dc->clipRight);
            if (left <= right) std::memcpy(dst + left, src + (left - x), size_t(right - left + 1));
        }
    }
}

void destroySpriteManager() {
    if (!Manager) return;
    for (int i = 0; i < Manager->count; ++i) freeSprite(&Manager->sprites[i]);
    delete Manager;
    Manager = nullptr;
}
