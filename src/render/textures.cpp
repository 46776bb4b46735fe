// Loading and releasing the race view's pictures and switching the palettes.
#include "render/textures.h"

#include <cstdio>

#include "base/game_state.h"
#include "framework/fatal_error.h"
#include "framework/framework.h"
#include "render/rasteriser.h"

const char* const TextureFiles[9] = {
    "Textures/weg3_16.bmp",  "Textures/weg2_16.bmp",   "Textures/holz1_16.bmp",
    "Textures/holz3_16.bmp", "Textures/wasser_16.bmp", "Textures/grass_16.bmp",
    "Textures/roox.bmp",     "Textures/roox2.bmp",     "Textures/kona.bmp",
};

Bitmap* StartPaletteBitmap = nullptr;
PaletteEntry* StartPalette = nullptr;
Bitmap* RacePaletteBitmap = nullptr;
PaletteEntry* RacePalette = nullptr;
Bitmap* HandlebarBitmap = nullptr;
Sprite* handlebarSprite = nullptr;

namespace {

constexpr const char* StartPaletteFile = "Images/Initpal.bmp";
constexpr const char* RacePaletteFile = "Textures/paltexture.bmp";
constexpr const char* HandlebarFile = "Textures/lenkerTBGblackNew.bmp";
constexpr int PaletteSize = 256;
constexpr int WaitForRetrace = 1;

[[noreturn]] void refusePicture(const char* fileName) {
    char text[256];
    std::snprintf(text, sizeof text, "%s: %s", errorMessage(ErrInvalidBitmap), fileName);
    fatalError(text);
}

// A picture whose palette the game needs: loaded with its palette or the end.
Bitmap* requirePalettePicture(const char* fileName) {
    Bitmap* bitmap = requireBitmap(fileName);
    if (!bitmap->palette) refusePicture(fileName);
    return bitmap;
}

// The rasteriser reads texture rows W + TexturePad bytes long; a picture whose
// rows are shorter would be read beyond its end, so it is refused here.
void checkTextureRows(const Bitmap* bitmap, int number) {
    if (bitmap->bitsPerPixel != 8 || bitmap->width <= 0 || bitmap->height <= 0 ||
        bitmap->width + TexturePad[number] > bitmap->bytesPerLine)
        refusePicture(TextureFiles[number]);
}

void applyPalette(const PaletteEntry* palette) {
    if (!palette) return;
    setPalette(palette, PaletteSize, 0);
    realizePalette(PaletteSize, 0, WaitForRetrace);
}

void unload(Bitmap** bitmap) {
    unloadBitmap(*bitmap);
    *bitmap = nullptr;
}

}  // namespace

void loadStartPalette() {
    StartPaletteBitmap = requirePalettePicture(StartPaletteFile);
    StartPalette = StartPaletteBitmap->palette;
    applyStartPalette();
}

void loadRacePalette() {
    RacePaletteBitmap = requirePalettePicture(RacePaletteFile);
    RacePalette = RacePaletteBitmap->palette;
}

void loadTextures() {
    for (int n = 0; n < TextureCount; ++n) {
        Bitmap* bitmap = requireBitmap(TextureFiles[n]);
        checkTextureRows(bitmap, n);
        GameState.textures[n] = bitmap;
    }
}

void loadHandlebar() {
    HandlebarBitmap = requireBitmap(HandlebarFile);
    createSpriteManager(CurrentPage ? *CurrentPage : nullptr, 0);
    handlebarSprite = addSprite(HandlebarBitmap, packColor(0, 0, 0));
}

void applyStartPalette() { applyPalette(StartPalette); }

void applyRacePalette() { applyPalette(RacePalette); }

void releaseRacePictures() {
    // The sprite may share the handlebar's pixels: the manager goes first.
    destroySpriteManager();
    handlebarSprite = nullptr;
    unload(&HandlebarBitmap);
    for (Bitmap*& texture : GameState.textures) unload(&texture);
    unload(&RacePaletteBitmap);
    RacePalette = nullptr;
    unload(&StartPaletteBitmap);
    StartPalette = nullptr;
}
