// Drawing the editor screen: the course map with the cursor tile marked, the rider's
// view at the cursor tile beside it, below them the tile's kind and objects, the palette,
// the checker's first problem, the proof and every key. Drawn in the race palette, which
// the view needs.
#pragma once

#include "display/display.h"

// Takes the font; releases it.
void openEditorDrawing();
void closeEditorDrawing();
// The whole page.
void drawEditor(DisplayContext* page);
