// The illustrations of the shop's items, drawn from tubes, discs and plates.
#pragma once

#include "canvas.h"

enum ItemKind { ItemFrame, ItemFork, ItemBrake, ItemDrive, ItemHelmet, ItemGloves, ItemArmour, ItemTrousers };

// Draws the item into the box (x0, y0)-(x1, y1); style picks the colours and details
// that tell the items of one category apart.
void drawItemPicture(Canvas* c, ItemKind kind, int style, float x0, float y0, float x1, float y1);
