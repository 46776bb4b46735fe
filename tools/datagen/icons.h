// The application icon: the intro's rider on the trail below the mountains, cut square,
// with rounded corners, written as PNG in the sizes of the desktop's icon theme.
#pragma once

#include "canvas.h"

constexpr int IconSizes[] = {16, 32, 48, 64, 128, 256};
constexpr int MaxIconSize = 256;

// An icon picture: 8-bit red, green, blue and alpha per pixel, rows top to bottom.
struct IconImage {
    int size;
    unsigned char rgba[MaxIconSize * MaxIconSize * 4];
};

// Paints the icon's art into a canvas (480 x 480).
void paintIconArt(Canvas* c);
// Reduces the art to an icon of the given size (one of IconSizes) with round corners.
void reduceIcon(const Canvas* art, IconImage* icon, int size);
// Writes it as a PNG file; false with a message on failure.
bool writeIconPng(const IconImage* icon, const char* path);
// Writes ICONDIR/<N>x<N>/apps/<appId>.png for every size.
bool writeIcons(const char* iconDir, const char* appId);
