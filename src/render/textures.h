// The pictures of the race view and the two palettes: the nine textures of the
// texture table, the handlebar sprite, the start palette and the race palette.
#pragma once

#include "display/display.h"

// File names of the textures by texture number.
extern const char* const TextureFiles[9];

// The start palette's picture (kept loaded, never drawn) and its palette.
extern Bitmap* StartPaletteBitmap;
extern PaletteEntry* StartPalette;
// The race palette's picture and its palette, made active at every race start.
extern Bitmap* RacePaletteBitmap;
extern PaletteEntry* RacePalette;
// The handlebar as the rider sees it; index 0 is transparent.
extern Bitmap* HandlebarBitmap;
extern Sprite* handlebarSprite;
constexpr int HandlebarX = 80;
constexpr int HandlebarY = 330;

// "Images/Initpal.bmp": kept, made the active palette (with the retrace wait).
void loadStartPalette();
// "Textures/paltexture.bmp": its palette becomes the race palette.
void loadRacePalette();
// The nine textures into GameState.textures[0..8]; entry 9 stays empty.
void loadTextures();
// "Textures/lenkerTBGblackNew.bmp" as a sprite on the current drawing page.
void loadHandlebar();
// setPalette + realizePalette (256 entries from 0, with the retrace wait).
void applyStartPalette();
void applyRacePalette();
// Unloads everything the four loaders loaded and destroys the sprite manager.
void releaseRacePictures();
