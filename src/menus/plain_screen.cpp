#include "menus/plain_screen.h"

#include "framework/framework.h"

bool beginPlainScreen(DisplayContext* page, const PaletteEntry* palette, Font* font) {
    setPalette(palette, 256, 0);
    realizePalette(256, 0, 1);
    page->background = Background;
    clearPage();
    return font && useFont(font);
}

void drawScreenLine(int x, int y, int colour, const char* text) {
    currentContext()->color = colour;
    drawText(x, y, text);
}
