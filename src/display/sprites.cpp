// The sprite manager: pictures drawn onto one context with a transparent colour.
#include <cstring>
#include <new>

#include "display/display.h"

struct Sprite {
    int width;
    int height;
    uint8_t* pixels;  // the manager's own copy, rows top to bottom, width bytes each
    int transparent;
};

namespace {

constexpr int MaxSprites = 16;

struct SpriteManager {
    DisplayContext* dc;
    Sprite sprites[MaxSprites];
    int count;
};

SpriteManager* Manager = nullptr;

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
    Sprite* s = &Manager->sprites[Manager->count++];
    s->width = bitmap->width;
    s->height = bitmap->height;
    s->pixels = copy;
    s->transparent = transparentColor;
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
        for (int col = 0; col < sprite->width; ++col) {
            const int px = x + col;
            if (px < dc->clipLeft || px > dc->clipRight) continue;
            if (src[col] != sprite->transparent) dst[px] = src[col];
        }
    }
}

void destroySpriteManager() {
    if (!Manager) return;
    for (int i = 0; i < Manager->count; ++i) delete[] Manager->sprites[i].pixels;
    delete Manager;
    Manager = nullptr;
}
